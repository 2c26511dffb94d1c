#include <containers/detail/KeyWords.h>

// SSE2 (every x86-64 processor; 32-bit x86 where the library is built to
// assume it) takes the hash of a long key 16 bytes at a time.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define CONTAINERS_HASH_SSE2 1
#include <emmintrin.h>
#endif

namespace containers::detail {

namespace {

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

}  // namespace

std::uint32_t Hash33Long(const char* p, std::size_t n) noexcept {
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
        h = h * kPowersOf33[8] + Hash33Word(Load64(p));
    }
    return h * kPowersOf33[n] + Hash33(p, n, KeyWords::Of({p, n}));
#endif
}

}  // namespace containers::detail
