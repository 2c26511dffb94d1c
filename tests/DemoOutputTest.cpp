#include "CaptureOutput.h"

#include <demo/Demos.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using testsupport::CaptureOutput;

const char* const kHashDemoOutput =
    "hash: 0\nhash: 1\nhash: 2\nhash: 3\nhash: 4\n"
    "hash: 5\nhash: 6\nhash: 7\nhash: 8\nhash: 9\n";

TEST(DemoRoutinesTest, HashDemoPrintsTenLines) {
    EXPECT_EQ(CaptureOutput(demo::RunHashDemo), kHashDemoOutput);
}

const char* const kListDemoOutput =
    "\n###Printing Count: 5\n###Printing Get()\n"
    "index(0): 1\nindex(1): 1\nindex(2): 1\nindex(3): 1\nindex(4): 1\n"
    "\n###Printing Count: 8\n###Printing Next()\n"
    "index(0): 3\nindex(1): 3\nindex(2): 1\nindex(3): 1\n"
    "index(4): 1\nindex(5): 1\nindex(6): 4\nindex(7): 1\n"
    "\n###Printing Count: 6\n###Printing Erase()\n"
    "index(0): 3\nindex(1): 1\nindex(2): 1\nindex(3): 1\nindex(4): 1\nindex(5): 4\n"
    "\n###Printing Count: 6\n###Printing Replace()\n"
    "index(0): 3\nindex(1): 5\nindex(2): 1\nindex(3): 1\nindex(4): 1\nindex(5): 4\n"
    "\n###Printing Count: 0\n###Printing Clear()\n";

TEST(DemoRoutinesTest, ListDemoPrintsFortyLines) {
    const std::string out = CaptureOutput(demo::RunListDemo);
    EXPECT_EQ(out, kListDemoOutput);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 40);
}

const char* const kStackDemoOutput = "stack: 4\nstack: 3\nstack: 1\nstack: 0\nstack: -1\n";
const char* const kQueueDemoOutput =
    "stack: 0\nstack: 1\nstack: 2\nstack: 3\nstack: 4\nstack: 5\nstack: 6\nstack: 7\n";

TEST(DemoRoutinesTest, StackAndQueueDemosPrintTheirFixedLines) {
    EXPECT_EQ(CaptureOutput(demo::RunStackDemo), kStackDemoOutput);
    EXPECT_EQ(CaptureOutput(demo::RunQueueDemo), kQueueDemoOutput);
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
    EXPECT_EQ(out, std::string(kQueueDemoOutput) + kStackDemoOutput + kListDemoOutput + kStackDemoOutput +
                       kHashDemoOutput + kQueueDemoOutput);
}

}  // namespace
