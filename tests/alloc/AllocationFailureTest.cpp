#include "../TestAccess.h"
#include "AllocationHooks.h"

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/HashTable.h>
#include <demo/Demos.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <new>
#include <string>

namespace {

using containers::ArrayStack;
using containers::CircularQueue;
using containers::HashTable;
using containers::TestAccess;

TEST(AllocationFailureTest, StackGrowthLeavesTheStackAsItWas) {
    ArrayStack s;
    for (std::int32_t v = 1; v <= 4; ++v) {
        s.Push(v);
    }
    const TestAccess::State before = TestAccess::Of(s);
    const std::size_t live = allochooks::Live();
    allochooks::FailRequest(1);
    EXPECT_THROW(s.Push(5), std::bad_alloc);
    EXPECT_TRUE(allochooks::Injected());
    EXPECT_EQ(TestAccess::Of(s), before);
    EXPECT_EQ(allochooks::Live(), live);

    s.Push(5);                            // the same Push succeeds once memory is there
    EXPECT_EQ(allochooks::Live(), live);  // the old array was released
    for (std::int32_t v = 5; v >= 1; --v) {
        EXPECT_EQ(s.Pop(), v);
    }
}

TEST(AllocationFailureTest, QueueGrowthWhileWrappedLeavesTheQueueAsItWas) {
    CircularQueue q;
    for (std::int32_t v = 0; v < 4; ++v) {
        q.Enqueue(v);
    }
    q.Dequeue();
    q.Enqueue(4);  // full and wrapped: 4 1 2 3, head at 1
    const TestAccess::State before = TestAccess::Of(q);
    const std::size_t live = allochooks::Live();
    allochooks::FailRequest(1);
    EXPECT_THROW(q.Enqueue(5), std::bad_alloc);
    EXPECT_TRUE(allochooks::Injected());
    EXPECT_EQ(TestAccess::Of(q), before);
    EXPECT_EQ(allochooks::Live(), live);

    q.Enqueue(5);
    for (std::int32_t v = 1; v <= 5; ++v) {
        EXPECT_EQ(q.Dequeue(), v);
    }
}

TEST(AllocationFailureTest, ConstructionAndCopiesLeakNothing) {
    const std::size_t live = allochooks::Live();
    allochooks::FailRequest(1);
    EXPECT_THROW(ArrayStack{}, std::bad_alloc);
    allochooks::FailRequest(1);
    EXPECT_THROW(CircularQueue{}, std::bad_alloc);
    allochooks::FailRequest(1);
    EXPECT_THROW(HashTable{10}, std::bad_alloc);
    EXPECT_EQ(allochooks::Live(), live);

    ArrayStack s;
    s.Push(1);
    ArrayStack target;
    target.Push(2);
    allochooks::FailRequest(1);
    EXPECT_THROW(target = s, std::bad_alloc);
    EXPECT_EQ(target.Peek(), 2);  // a failed copy assignment changes nothing

    CircularQueue q;
    q.Enqueue(1);
    allochooks::FailRequest(1);
    EXPECT_THROW(CircularQueue{q}, std::bad_alloc);
    EXPECT_EQ(q.Peek(), 1);
    allochooks::FailRequest(0);
}

// A growth beyond what a signed 32-bit count or the address space can hold
// fails as out of memory before anything is allocated or copied. The
// containers are told they are full at a large capacity without the memory
// behind it; the hook refuses any large request that still gets through.
TEST(AllocationFailureTest, GrowthPastTheLimitsIsOutOfMemory) {
    allochooks::RefuseLargerThan(std::size_t{1} << 20);
    for (const std::int32_t capacity : {std::int32_t{1} << 30, std::int32_t{1} << 29}) {
        // 2^31 slots do not fit the count; 2^30 slots of 4 bytes do not fit a
        // 32-bit address space.
        const bool exceedsCount = capacity == (std::int32_t{1} << 30);
        const bool exceedsAddressSpace = sizeof(void*) == 4;

        ArrayStack s;
        TestAccess::PretendFull(s, capacity);
        const std::size_t requests = allochooks::Requests();
        EXPECT_THROW(s.Push(1), std::bad_alloc) << capacity;
        if (exceedsCount || exceedsAddressSpace) {
            EXPECT_EQ(allochooks::Requests(), requests) << "allocation attempted at " << capacity;
        }
        EXPECT_EQ(TestAccess::Capacity(s), capacity);

        CircularQueue q;
        TestAccess::PretendFull(q, capacity);
        const std::size_t queueRequests = allochooks::Requests();
        EXPECT_THROW(q.Enqueue(1), std::bad_alloc) << capacity;
        if (exceedsCount || exceedsAddressSpace) {
            EXPECT_EQ(allochooks::Requests(), queueRequests) << "allocation attempted at " << capacity;
        }
        EXPECT_EQ(TestAccess::Capacity(q), capacity);
    }
    allochooks::RefuseLargerThan(0);
}

// Runs `routine` once for each allocation it makes, failing that allocation:
// std::bad_alloc must come out and everything allocated so far must be
// released. The last run fails nothing and must print `expected`.
void FailEveryAllocation(const std::function<void()>& routine, const std::string& expected) {
    std::size_t failures = 0;
    bool completed = false;
    testing::internal::CaptureStdout();
    for (std::size_t k = 1; !completed; ++k) {
        const std::size_t live = allochooks::Live();
        allochooks::FailRequest(k);
        bool threw = false;
        try {
            routine();
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        completed = !allochooks::Injected();
        allochooks::FailRequest(0);
        if (allochooks::Live() != live) {
            ADD_FAILURE() << "leak when allocation " << k << " failed";
            break;
        }
        if (threw == completed) {
            ADD_FAILURE() << "allocation " << k
                          << (completed ? ": bad_alloc without a failure" : " failed silently");
            break;
        }
        failures += completed ? 0 : 1;
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(completed);
    EXPECT_GT(failures, 0U);
    // The complete run comes last.
    ASSERT_GE(out.size(), expected.size());
    EXPECT_EQ(out.substr(out.size() - expected.size()), expected);
    testing::Test::RecordProperty("failure_points", static_cast<int>(failures));
}

TEST(AllocationFailureTest, TheHashDemoFailsCleanlyAtEveryAllocation) {
    std::string expected;
    for (int i = 0; i < 10; ++i) {
        expected += "hash: " + std::to_string(i) + "\n";
    }
    FailEveryAllocation(demo::RunHashDemo, expected);
}

TEST(AllocationFailureTest, TheStackDemoFailsCleanlyAtEveryAllocation) {
    FailEveryAllocation(demo::RunStackDemo, "stack: 4\nstack: 3\nstack: 1\nstack: 0\nstack: -1\n");
}

TEST(AllocationFailureTest, TheQueueDemoFailsCleanlyAtEveryAllocation) {
    FailEveryAllocation(demo::RunQueueDemo,
                        "stack: 0\nstack: 1\nstack: 2\nstack: 3\nstack: 4\nstack: 5\nstack: 6\nstack: 7\n");
}

TEST(AllocationFailureTest, TheListDemoFailsCleanlyAtEveryAllocation) {
    testing::internal::CaptureStdout();
    demo::RunListDemo();
    const std::string expected = testing::internal::GetCapturedStdout();
    FailEveryAllocation(demo::RunListDemo, expected);
}

}  // namespace
