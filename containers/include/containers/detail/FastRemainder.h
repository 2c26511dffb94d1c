#pragma once

#include <cstdint>
#include <limits>

namespace containers::detail {

// x mod d for 32-bit x and a fixed divisor d, by two multiplications instead
// of a division (Lemire, Kaser and Kurz, "Faster remainder by direct
// computation", 2019). The result equals x % d for every x and every d ≥ 1.
//
// The magic number is ⌊(2⁶⁴ − 1) / d⌋ + 1, wrapping to 0 for d = 1 (where
// every remainder is 0).
constexpr std::uint64_t RemainderMagic(std::uint32_t d) {
    return d == 0 ? 0 : std::numeric_limits<std::uint64_t>::max() / d + 1;
}

// The high 64 bits of the 96-bit product x · d.
constexpr std::uint32_t MultiplyHigh(std::uint64_t x, std::uint32_t d) {
#ifdef __SIZEOF_INT128__
    __extension__ typedef unsigned __int128 Wide;
    return static_cast<std::uint32_t>((static_cast<Wide>(x) * d) >> 64U);
#else
    // Two 32 × 32 → 64-bit products, which 32-bit targets multiply directly.
    const std::uint64_t high = (x >> 32U) * d;
    const std::uint64_t low = (x & 0xFFFFFFFFU) * d;
    return static_cast<std::uint32_t>((high + (low >> 32U)) >> 32U);
#endif
}

constexpr std::uint32_t FastRemainder(std::uint32_t x, std::uint64_t magic, std::uint32_t d) {
    return MultiplyHigh(magic * x, d);
}

}  // namespace containers::detail
