#include <gtest/gtest.h>

#include <cstddef>

namespace {

// The program is built for 32-bit Windows: there, pointers and sizes are
// four bytes, which is what bounds the arrays the containers can grow to.
TEST(Platform, WindowsTargetIs32Bit) {
#ifdef _WIN32
    EXPECT_EQ(sizeof(void*), 4U);
    EXPECT_EQ(sizeof(std::size_t), 4U);
#else
    GTEST_SKIP() << "not a Windows build";
#endif
}

}  // namespace
