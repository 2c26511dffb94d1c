#include <gtest/gtest.h>

#include <cstddef>

namespace {

// The program is built for 32-bit Windows, and the 32-bit Linux build stands
// in for it where Wine cannot run: there, pointers and sizes are four bytes,
// which is what bounds the arrays the containers can grow to.
TEST(PlatformTest, ThirtyTwoBitBuildsHaveFourBytePointersAndSizes) {
#if defined(__i386__) || defined(_M_IX86)
    EXPECT_EQ(sizeof(void*), 4U);
    EXPECT_EQ(sizeof(std::size_t), 4U);
#else
    GTEST_SKIP() << "not a 32-bit x86 build";
#endif
}

}  // namespace
