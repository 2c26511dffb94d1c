#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// Each cross leg's toolchain file names the machine it builds for (its triple,
// CONTAINERS_TRIPLE), and the code it produced must be for that machine (built
// only in those legs): a 32-bit leg that silently built 64-bit code, or a
// big-endian leg that did not, would test something else than it says.
TEST(PlatformTest, TheBuildIsForTheMachineItsLegNames) {
    const std::string_view triple = CONTAINERS_TRIPLE;
    const std::size_t pointerBits = triple.substr(0, 4) == "i686" ? 32 : 64;
    const bool bigEndian = triple.substr(0, 5) == "s390x";
    EXPECT_EQ(sizeof(void*) * CHAR_BIT, pointerBits) << triple;
    EXPECT_EQ(sizeof(std::size_t), sizeof(void*));

    const std::uint32_t word = 0x01020304;
    unsigned char first = 0;
    std::memcpy(&first, &word, 1);
    EXPECT_EQ(first, bigEndian ? 0x01 : 0x04) << triple;
}

}  // namespace
