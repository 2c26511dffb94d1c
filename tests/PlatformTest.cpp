#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Each cross leg's toolchain file states the machine it builds for, and the
// code it produced must be for that machine (built only in those legs): a 32-bit leg that silently built
// 64-bit code, or a big-endian leg that did not, would test something else than it says.
TEST(PlatformTest, TheBuildIsForTheMachineItsLegNames) {
    EXPECT_EQ(sizeof(void*) * CHAR_BIT, std::size_t{CONTAINERS_EXPECTED_POINTER_BITS});
    EXPECT_EQ(sizeof(std::size_t), sizeof(void*));

    const std::uint32_t word = 0x01020304;
    unsigned char first = 0;
    std::memcpy(&first, &word, 1);
    EXPECT_EQ(first, CONTAINERS_EXPECTED_BIG_ENDIAN ? 0x01 : 0x04);
}

}  // namespace
