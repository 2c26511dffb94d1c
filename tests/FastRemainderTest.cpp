#include <containers/detail/FastRemainder.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using containers::detail::FastRemainder;
using containers::detail::RemainderMagic;

// The home slot's remainder must equal x % d exactly, for every divisor a
// table can have and every hash. Only the 128-bit product path computes it
// another way: where the compiler has no __int128 (32-bit targets, MSVC),
// FastRemainder is x % d itself, and there is nothing to compare.
TEST(FastRemainderTest, EqualsTheRemainderOperator) {
#ifndef __SIZEOF_INT128__
    GTEST_SKIP() << "no __int128 here: FastRemainder is x % d itself";
#endif
    std::vector<std::uint32_t> divisors = {1,           2,           3,           7,          10,
                                           16,          1000,        65536,       65537,      0x7FFFFFFFU,
                                           0x80000000U, 0x80000001U, 0xFFFFFFFEU, 0xFFFFFFFFU};
    std::mt19937 rng(12345);
    for (int i = 0; i < 200; ++i) {
        divisors.push_back(static_cast<std::uint32_t>(rng()) | 1U);
        divisors.push_back(static_cast<std::uint32_t>(rng() >> (rng() % 32)));
    }
    for (const std::uint32_t d : divisors) {
        if (d == 0) {
            continue;
        }
        const std::uint64_t magic = RemainderMagic(d);
        std::vector<std::uint32_t> xs = {0, 1, d - 1, d, d + 1, 2 * d, 0x7FFFFFFFU, 0x80000000U, 0xFFFFFFFFU};
        for (int i = 0; i < 200; ++i) {
            xs.push_back(static_cast<std::uint32_t>(rng()));
        }
        for (const std::uint32_t x : xs) {
            ASSERT_EQ(FastRemainder(x, magic, d), x % d) << x << " mod " << d;
        }
    }
}

}  // namespace
