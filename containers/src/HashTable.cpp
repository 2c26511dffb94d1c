#include <containers/HashTable.h>
#include <containers/detail/Failure.h>

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

// SSE2 (every x86-64 processor; 32-bit x86 where the library is built to
// assume it) takes the hash of a long key 16 bytes at a time.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define CONTAINERS_HASH_SSE2 1
#include <emmintrin.h>
#endif

namespace containers {

namespace {

// The period of the probe's offsets S(k) = 1² + 2² + ... + k² modulo c.
//
// S(k + P) - S(k) = P·k² + (P² + P)·k + S(P), so the offsets repeat with
// period P exactly when c divides 2P, P² and S(P). The first condition makes
// P a multiple of c / gcd(c, 2), and P = 6c always satisfies all three, so
// the period is one of the first twelve such multiples.
std::uint64_t ProbePeriod(std::uint32_t c) {
    if (c == 0) {
        return 0;
    }
    const std::uint64_t modulus = c;
    const std::uint64_t unit = (c % 2 == 0) ? modulus / 2 : modulus;
    for (std::uint64_t p = unit;; p += unit) {
        // P² mod c, with P reduced first so the product fits in 64 bits.
        const std::uint64_t r = p % modulus;
        if (r * r % modulus != 0) {
            continue;
        }
        // S(P) = P(P + 1)(2P + 1) / 6 mod c: divide the factors by 2 and 3
        // exactly before reducing them.
        std::uint64_t a = p;
        std::uint64_t b = p + 1;
        std::uint64_t d = 2 * p + 1;
        (a % 2 == 0 ? a : b) /= 2;
        if (p % 3 == 0) {
            a /= 3;
        } else if (p % 3 == 2) {
            b /= 3;
        } else {
            d /= 3;
        }
        if ((a % modulus) * (b % modulus) % modulus * (d % modulus) % modulus == 0) {
            return p;
        }
    }
}

#ifdef CONTAINERS_HASH_SSE2
// The weights of a block of 16 bytes, 33^(15 - j) modulo 2³² for byte j,
// each split into signed 16-bit halves, high · 2¹⁶ + low, so that pmaddwd
// multiplies the bytes (widened to 16 bits, sign and all) by both halves
// and adds them in pairs: the block is Σ low-products + (Σ high-products) ·
// 2¹⁶, modulo 2³².
struct BlockWeights {
    __m128i lowFront, lowBack, highFront, highBack;  // for bytes 0 to 7 and 8 to 15
};

BlockWeights LoadBlockWeights() noexcept {
    struct Halves {
        std::int16_t low[16];
        std::int16_t high[16];
    };
    static constexpr Halves kHalves = [] {
        const auto signed16 = [](std::uint32_t half) {
            return static_cast<std::int16_t>(half >= 0x8000U ? static_cast<std::int32_t>(half) - 0x10000
                                                             : static_cast<std::int32_t>(half));
        };
        Halves halves{};
        std::uint32_t power = 1;
        for (int j = 15; j >= 0; --j) {
            const std::int16_t low = signed16(power & 0xFFFFU);
            halves.low[j] = low;
            halves.high[j] = signed16(((power - static_cast<std::uint32_t>(low)) >> 16U) & 0xFFFFU);
            power *= 33U;
        }
        return halves;
    }();
    const auto load = [](const void* from) { return _mm_loadu_si128(static_cast<const __m128i*>(from)); };
    return {load(kHalves.low), load(kHalves.low + 8), load(kHalves.high), load(kHalves.high + 8)};
}

// b0·33¹⁵ + ... + b15 in each of the four lanes' sum: sixteen single steps
// of the hash from 0.
__m128i BlockLanes(__m128i bytes, const BlockWeights& w) noexcept {
    const __m128i front = _mm_srai_epi16(_mm_unpacklo_epi8(bytes, bytes), 8);  // bytes 0 to 7
    const __m128i back = _mm_srai_epi16(_mm_unpackhi_epi8(bytes, bytes), 8);   // bytes 8 to 15
    const __m128i low = _mm_add_epi32(_mm_madd_epi16(front, w.lowFront), _mm_madd_epi16(back, w.lowBack));
    const __m128i high = _mm_add_epi32(_mm_madd_epi16(front, w.highFront), _mm_madd_epi16(back, w.highBack));
    return _mm_add_epi32(low, _mm_slli_epi32(high, 16));
}
#endif

// `capacity` empty slots.
HashEntry** AllocateSlots(std::uint32_t capacity) {
    HashEntry** const slots = new (std::nothrow) HashEntry*[capacity]();
    if (slots == nullptr) {
        detail::OutOfMemory("containers::HashTable::HashTable");
    }
    return slots;
}

// Filter words for `capacity` slots: 3 bytes a slot, none below 3 slots.
std::uint32_t FilterWordsFor(std::uint32_t capacity) {
    return static_cast<std::uint32_t>(std::uint64_t{capacity} * 3 / 8);
}

// Where the tags begin, after the filter's words.
std::size_t TagsAt(std::uint32_t capacity) { return 8 * static_cast<std::size_t>(FilterWordsFor(capacity)); }

// The filter's words and the tags, all clear; frees `slots` where they
// cannot be had.
unsigned char* AllocateFilter(std::uint32_t capacity, HashEntry** slots) {
    const std::size_t bytes = TagsAt(capacity) + capacity;
    unsigned char* const filter = new (std::nothrow) unsigned char[bytes]();
    if (filter == nullptr) {
        delete[] slots;
        detail::OutOfMemory("containers::HashTable::HashTable");
    }
    return filter;
}

}  // namespace

HashTable::HashTable(std::uint32_t capacity)
    : slots(AllocateSlots(capacity)),
      filter(AllocateFilter(capacity, slots)),
      tags(filter + TagsAt(capacity)),
      capacity(capacity),
      filterWords(FilterWordsFor(capacity)),
      earlySteps(static_cast<std::uint32_t>((std::min<std::uint64_t>)(ProbePeriod(capacity), kEarlySteps))),
      probeLimit(ProbePeriod(capacity)),
      homeMagic(detail::RemainderMagic(capacity)) {
    // Step i adds i² (ProbeStep(i)) to the slot, so the offset after i steps
    // is 1² + 2² + ... + i², kept modulo the capacity.
    std::uint64_t offset = 0;
    for (std::uint64_t i = 0; i < kEarlySteps && capacity > 0; ++i) {
        offset = (offset + i * i) % capacity;
        earlyOffsets[i] = static_cast<std::uint32_t>(offset);
    }
}

std::uint32_t HashTable::HashLong(const char* p, std::size_t n) noexcept {
    // Blocks of 16 bytes while more than 32 remain, then the last 17 to 32
    // bytes as the 16 that follow and the last 16, whose bytes that the
    // first 16 hold too count 0.
    std::uint32_t h = 0;
#ifdef CONTAINERS_HASH_SSE2
    const BlockWeights weights = LoadBlockWeights();
    const auto load = [](const char* from) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    };
    for (; n > 32; p += 16, n -= 16) {
        __m128i sum = BlockLanes(load(p), weights);
        sum = _mm_add_epi32(sum, _mm_unpackhi_epi64(sum, sum));
        sum = _mm_add_epi32(sum, _mm_srli_epi64(sum, 32));
        h = h * kPowersOf33[16] + static_cast<std::uint32_t>(_mm_cvtsi128_si32(sum));
    }
    // 16 zero bytes, then 16 of ones: the 16 from n - 16 on keep the lanes
    // from 32 - n on.
    alignas(16) static constexpr unsigned char kKeep[32] = {
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const __m128i front = BlockLanes(load(p), weights);
    const __m128i back = BlockLanes(
        _mm_and_si128(load(p + n - 16), load(reinterpret_cast<const char*>(kKeep) + n - 16)), weights);
    // Both sums at once: front's in lanes 0 and 1, back's in 2 and 3.
    __m128i sums = _mm_add_epi32(_mm_unpacklo_epi64(front, back), _mm_unpackhi_epi64(front, back));
    sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, _MM_SHUFFLE(2, 3, 0, 1)));
    const auto first = static_cast<std::uint32_t>(_mm_cvtsi128_si32(sums));
    const auto last = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    return (h * kPowersOf33[16] + first) * kPowersOf33[n - 16] + last;
#else
    for (; n > 16; p += 8, n -= 8) {
        h = h * kPowersOf33[8] + HashWord(Load64(p));
    }
    return h * kPowersOf33[n] + HashOf(p, WordsOf(p, n), n);
#endif
}

std::uint32_t HashTable::ProbeOnward(std::string_view key, const KeyWords& words, std::uint8_t tag,
                                     std::uint32_t home) const noexcept {
    // From step kEarlySteps on, i² is kept modulo the capacity as the sum of
    // the odd numbers 1, 3, 5, ..., so no step multiplies or divides.
    constexpr std::uint64_t k = kEarlySteps;
    std::uint32_t square = static_cast<std::uint32_t>(k * k % capacity);
    std::uint32_t odd = static_cast<std::uint32_t>((2 * k + 1) % capacity);
    const std::uint32_t two = static_cast<std::uint32_t>(2 % capacity);
    std::uint32_t slot = AddMod(home, AddMod(earlyOffsets[k - 1], square));
    for (std::uint64_t examined = k + 1;; ++examined) {
        if (EndsAt(slot, tag, key, words)) {
            return slot;
        }
        if (examined == probeLimit) {
            return capacity;
        }
        square = AddMod(square, odd);
        odd = AddMod(odd, two);
        slot = AddMod(slot, square);
    }
}

HashTable::HashTable(HashTable&& other) noexcept
    : slots(std::exchange(other.slots, nullptr)),
      filter(std::exchange(other.filter, nullptr)),
      tags(std::exchange(other.tags, nullptr)),
      capacity(std::exchange(other.capacity, 0)),
      count(std::exchange(other.count, 0)),
      filterWords(std::exchange(other.filterWords, 0)),
      earlySteps(std::exchange(other.earlySteps, 0)),
      probeLimit(std::exchange(other.probeLimit, 0)),
      homeMagic(std::exchange(other.homeMagic, 0)),
      earlyOffsets(other.earlyOffsets) {}

HashTable& HashTable::operator=(HashTable&& other) noexcept {
    if (this != &other) {
        delete[] slots;
        delete[] filter;
        slots = std::exchange(other.slots, nullptr);
        filter = std::exchange(other.filter, nullptr);
        tags = std::exchange(other.tags, nullptr);
        capacity = std::exchange(other.capacity, 0);
        count = std::exchange(other.count, 0);
        filterWords = std::exchange(other.filterWords, 0);
        earlySteps = std::exchange(other.earlySteps, 0);
        probeLimit = std::exchange(other.probeLimit, 0);
        homeMagic = std::exchange(other.homeMagic, 0);
        earlyOffsets = other.earlyOffsets;
    }
    return *this;
}

float HashTable::LoadFactor() const noexcept {
    if (capacity == 0) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return static_cast<float>(static_cast<double>(count) / static_cast<double>(capacity));
}

}  // namespace containers
