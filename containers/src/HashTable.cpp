#include <containers/HashTable.h>
#include <containers/detail/Failure.h>

#include <limits>
#include <new>
#include <utility>

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

// `capacity` empty slots.
HashEntry** AllocateSlots(std::uint32_t capacity) {
    HashEntry** const slots = new (std::nothrow) HashEntry*[capacity]();
    if (slots == nullptr) {
        detail::OutOfMemory("containers::HashTable::HashTable");
    }
    return slots;
}

// The tags of `capacity` empty slots; frees `slots` where they cannot be had.
std::uint8_t* AllocateTags(std::uint32_t capacity, HashEntry** slots) {
    std::uint8_t* const tags = new (std::nothrow) std::uint8_t[capacity]();
    if (tags == nullptr) {
        delete[] slots;
        detail::OutOfMemory("containers::HashTable::HashTable");
    }
    return tags;
}

}  // namespace

HashTable::HashTable(std::uint32_t capacity)
    : slots(AllocateSlots(capacity)),
      tags(AllocateTags(capacity, slots)),
      capacity(capacity),
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

std::uint32_t HashTable::ProbeOnward(std::string_view key, std::uint8_t tag,
                                     std::uint32_t home) const noexcept {
    // From step kEarlySteps on, i² is kept modulo the capacity as the sum of
    // the odd numbers 1, 3, 5, ..., so no step multiplies or divides.
    constexpr std::uint64_t k = kEarlySteps;
    std::uint32_t square = static_cast<std::uint32_t>(k * k % capacity);
    std::uint32_t odd = static_cast<std::uint32_t>((2 * k + 1) % capacity);
    const std::uint32_t two = static_cast<std::uint32_t>(2 % capacity);
    std::uint32_t slot = AddMod(home, AddMod(earlyOffsets[k - 1], square));
    for (std::uint64_t examined = k + 1;; ++examined) {
        if (EndsAt(slot, tag, key)) {
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
      tags(std::exchange(other.tags, nullptr)),
      capacity(std::exchange(other.capacity, 0)),
      count(std::exchange(other.count, 0)),
      probeLimit(std::exchange(other.probeLimit, 0)),
      homeMagic(std::exchange(other.homeMagic, 0)),
      earlyOffsets(other.earlyOffsets) {}

HashTable& HashTable::operator=(HashTable&& other) noexcept {
    if (this != &other) {
        delete[] slots;
        delete[] tags;
        slots = std::exchange(other.slots, nullptr);
        tags = std::exchange(other.tags, nullptr);
        capacity = std::exchange(other.capacity, 0);
        count = std::exchange(other.count, 0);
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
