// Fails every test that ends with more (or fewer) live heap blocks than it
// began with, naming the test and the count, on every platform the tests run
// on. Linked into each GoogleTest binary together with AllocationHooks.cpp,
// whose operator new and delete keep the count; it registers itself.

#include "AllocationHooks.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

class LeakCheck : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& /*test*/) override { liveAtStart = allochooks::Live(); }

    // Listeners hear of a test's end in the reverse order of their
    // registration, so this runs before the result printer and the failure
    // is reported with the test.
    // A skipped or failed test's result holds the messages that GoogleTest
    // recorded, so only passing tests are checked.
    void OnTestEnd(const testing::TestInfo& test) override {
        const testing::TestResult& result = *test.result();
        const std::size_t live = allochooks::Live();
        if (live != liveAtStart && !result.Skipped() && !result.Failed() && !IsDeathTest(test)) {
            ADD_FAILURE() << test.test_suite_name() << "." << test.name() << " ends with " << live
                          << " live heap blocks; it began with " << liveAtStart;
        }
    }

private:
    // A death test runs its statements in child processes, and GoogleTest
    // keeps blocks of its own across the first one, so death tests (suites
    // named *DeathTest, as GoogleTest advises) are left out.
    static bool IsDeathTest(const testing::TestInfo& test) {
        const std::string suite = test.test_suite_name();
        const std::string suffix = "DeathTest";
        return suite.size() >= suffix.size() &&
               suite.compare(suite.size() - suffix.size(), suffix.size(), suffix) == 0;
    }

    std::size_t liveAtStart = 0;
};

const bool kRegistered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new LeakCheck);  // gtest owns it
    return true;
}();

}  // namespace
