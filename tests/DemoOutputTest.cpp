#include "CaptureOutput.h"

#include <demo/Demos.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::CaptureOutput;

const char* const kHashDemoOutput =
    "hash: 0\nhash: 1\nhash: 2\nhash: 3\nhash: 4\n"
    "hash: 5\nhash: 6\nhash: 7\nhash: 8\nhash: 9\n";

TEST(DemoOutput, HashDemoPrintsTenLines) {
    EXPECT_EQ(CaptureOutput(demo::RunHashDemo), kHashDemoOutput);
}

TEST(DemoOutput, HashDemoRepeats) {
    EXPECT_EQ(CaptureOutput([] {
                  demo::RunHashDemo();
                  demo::RunHashDemo();
              }),
              std::string(kHashDemoOutput) + kHashDemoOutput);
}

}  // namespace
