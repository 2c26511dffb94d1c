#pragma once

#include <cstdint>
#include <limits>

namespace containers::detail {

// x mod d for 32-bit x and a fixed divisor d ≥ 1. Where the compiler has a
// 128-bit integer type (GCC and Clang on 64-bit targets) this takes two
// multiplications instead of a division (Lemire, Kaser and Kurz, "Faster
// remainder by direct computation", 2019). Elsewhere (32-bit targets, where
// those products would cost more than the division, and MSVC, which has no
// such type) it is x % d. The result is x % d either way.
//
// The magic number is ⌊(2⁶⁴ − 1) / d⌋ + 1, wrapping to 0 for d = 1 (where
// every remainder is 0).
constexpr std::uint64_t RemainderMagic(std::uint32_t d) {
    return d == 0 ? 0 : (std::numeric_limits<std::uint64_t>::max)() / d + 1;
}

constexpr std::uint32_t FastRemainder(std::uint32_t x, std::uint64_t magic, std::uint32_t d) {
#ifdef __SIZEOF_INT128__
    __extension__ typedef unsigned __int128 Wide;
    return static_cast<std::uint32_t>((static_cast<Wide>(magic * x) * d) >> 64U);
#else
    static_cast<void>(magic);
    return x % d;
#endif
}

}  // namespace containers::detail
