#include "CaptureOutput.h"
#include "ExpectedOutputs.h"

#include <demo/Demos.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using testsupport::CaptureOutput;

TEST(DemoRoutinesTest, HashDemoPrintsTenLines) {
    EXPECT_EQ(CaptureOutput(demo::RunHashDemo), expected::kHashDemo);
}

TEST(DemoRoutinesTest, ListDemoPrintsFortyLines) {
    const std::string out = CaptureOutput(demo::RunListDemo);
    EXPECT_EQ(out, expected::kListDemo);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 40);
}

TEST(DemoRoutinesTest, StackAndQueueDemosPrintTheirFixedLines) {
    EXPECT_EQ(CaptureOutput(demo::RunStackDemo), expected::kStackDemo);
    EXPECT_EQ(CaptureOutput(demo::RunQueueDemo), expected::kQueueDemo);
}

TEST(DemoRoutinesTest, RoutinesRepeatInAnyOrder) {
    const std::string out = CaptureOutput([] {
        demo::RunQueueDemo();
        demo::RunStackDemo();
        demo::RunListDemo();
        demo::RunStackDemo();
        demo::RunHashDemo();
        demo::RunQueueDemo();
    });
    EXPECT_EQ(out, std::string(expected::kQueueDemo) + expected::kStackDemo + expected::kListDemo +
                       expected::kStackDemo + expected::kHashDemo + expected::kQueueDemo);
}

}  // namespace
