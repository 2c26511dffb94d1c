#include "AllocationHooks.h"
#include "CaptureOutput.h"
#include "ExpectedOutputs.h"
#include "TestAccess.h"

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/HashTable.h>
#include <demo/Demos.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <new>
#include <numeric>
#include <string>
#include <vector>

namespace {

using containers::ArrayStack;
using containers::CircularQueue;
using containers::HashTable;
using testsupport::CaptureOutput;
using testsupport::TestAccess;

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

// Each construction and copy is kept (allochooks::Keep), so that the failed
// allocation is the container's own at every optimisation level.
TEST(AllocationFailureTest, ConstructionAndCopiesLeakNothing) {
    const std::size_t live = allochooks::Live();
    const auto expectOutOfMemory = [](const auto& make) {
        allochooks::FailRequest(1);
        EXPECT_THROW(make(), std::bad_alloc);
        EXPECT_TRUE(allochooks::Injected());
    };
    expectOutOfMemory([] {
        const ArrayStack made;
        allochooks::Keep(&made);
    });
    expectOutOfMemory([] {
        const CircularQueue made;
        allochooks::Keep(&made);
    });
    expectOutOfMemory([] {
        const HashTable made(10);
        allochooks::Keep(&made);
    });
    // Catches a table that leaks its slot array when its tags cannot be had.
    allochooks::FailRequest(2);
    EXPECT_THROW(
        {
            const HashTable made(10);
            allochooks::Keep(&made);
        },
        std::bad_alloc);
    EXPECT_TRUE(allochooks::Injected());
    EXPECT_EQ(allochooks::Live(), live);

    ArrayStack s;
    s.Push(1);
    ArrayStack target;
    target.Push(2);
    expectOutOfMemory([&] { target = s; });
    EXPECT_EQ(target.Peek(), 2);  // a failed copy assignment changes nothing

    CircularQueue q;
    q.Enqueue(1);
    expectOutOfMemory([&] {
        const CircularQueue copy(q);
        allochooks::Keep(&copy);
    });
    EXPECT_EQ(q.Peek(), 1);
}

// A growth beyond what a signed 32-bit count or the address space can hold
// fails as out of memory before anything is allocated or copied; a growth
// within them asks for exactly the doubled array. The containers are told
// they are full at a large capacity without the memory behind it, and the
// hook refuses the large request that a legal growth makes.
TEST(AllocationFailureTest, GrowthPastTheLimitsIsOutOfMemory) {
    allochooks::RefuseLargerThan(std::size_t{1} << 20);
    const auto expectGrowth = [](std::int32_t capacity, const auto& container, const auto& insert) {
        // 2^31 slots do not fit the count; 2^30 slots of 4 bytes fit a 64-bit
        // address space but not a 32-bit one.
        const bool legal = capacity < (std::int32_t{1} << 30) && sizeof(std::size_t) > 4;
        const std::size_t requests = allochooks::Requests();
        EXPECT_THROW(insert(), std::bad_alloc) << capacity;
        if (legal) {
            EXPECT_EQ(allochooks::Requests() - requests, 1U) << capacity;
            EXPECT_EQ(allochooks::LastRequestSize(), std::size_t{2} * static_cast<std::size_t>(capacity) * 4U)
                << capacity;
        } else {
            EXPECT_EQ(allochooks::Requests(), requests) << "allocation attempted at " << capacity;
        }
        EXPECT_EQ(TestAccess::Capacity(container), capacity);
    };
    for (const std::int32_t capacity : {std::int32_t{1} << 30, std::int32_t{1} << 29}) {
        ArrayStack s;
        TestAccess::PretendFull(s, capacity);
        expectGrowth(capacity, s, [&] { s.Push(1); });

        CircularQueue q;
        TestAccess::PretendFull(q, capacity);
        expectGrowth(capacity, q, [&] { q.Enqueue(1); });
    }
    allochooks::RefuseLargerThan(0);
}

// How many allocations one complete run of `routine` makes.
std::size_t AllocationsOf(const std::function<void()>& routine) {
    testing::internal::CaptureStdout();
    const std::size_t before = allochooks::Requests();
    routine();
    const std::size_t made = allochooks::Requests() - before;
    static_cast<void>(testing::internal::GetCapturedStdout());
    return made;
}

// Runs `routine` once for each allocation number in `points` (1 is its first
// allocation), failing that allocation: std::bad_alloc must come out and
// everything allocated so far must be released. Then a run that fails nothing
// must print exactly `expected`.
void FailAllocationsAt(const std::function<void()>& routine, const std::vector<std::size_t>& points,
                       const std::string& expected) {
    ASSERT_FALSE(points.empty());
    testing::internal::CaptureStdout();
    for (const std::size_t k : points) {
        const std::size_t live = allochooks::Live();
        allochooks::FailRequest(k);
        bool threw = false;
        try {
            routine();
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        const bool injected = allochooks::Injected();
        allochooks::FailRequest(0);
        if (!injected || !threw || allochooks::Live() != live) {
            ADD_FAILURE() << "allocation " << k << ": "
                          << (!injected ? "never made"
                              : !threw  ? "failed silently"
                                        : "leaked when it failed");
            break;
        }
    }
    static_cast<void>(testing::internal::GetCapturedStdout());
    EXPECT_EQ(CaptureOutput(routine), expected);
}

// Every allocation of a small routine, in turn.
void FailEveryAllocation(const std::function<void()>& routine, const std::string& expected) {
    std::vector<std::size_t> points(AllocationsOf(routine));
    std::iota(points.begin(), points.end(), std::size_t{1});
    FailAllocationsAt(routine, points, expected);
}

TEST(AllocationFailureTest, TheHashDemoFailsCleanlyAtEveryAllocation) {
    FailEveryAllocation(demo::RunHashDemo, expected::kHashDemo);
}

TEST(AllocationFailureTest, TheStackDemoFailsCleanlyAtEveryAllocation) {
    FailEveryAllocation(demo::RunStackDemo, expected::kStackDemo);
}

TEST(AllocationFailureTest, TheQueueDemoFailsCleanlyAtEveryAllocation) {
    FailEveryAllocation(demo::RunQueueDemo, expected::kQueueDemo);
}

// The list routine makes about 10,000 allocations, and a run that fails the
// k-th costs k of them, so it fails a sample: the first and the last 100
// (which hold every change of phase: the 10,000 appends, their Clear, the five
// appends, the inserts and the replacement), and 30 spread evenly between.
TEST(AllocationFailureTest, TheListDemoFailsCleanlyAtASampleOfItsAllocations) {
    const std::size_t made = AllocationsOf(demo::RunListDemo);
    constexpr std::size_t kEnds = 100;
    constexpr std::size_t kSpread = 30;
    ASSERT_GT(made, 2 * kEnds + kSpread);
    std::vector<std::size_t> points;
    for (std::size_t k = 1; k <= kEnds; ++k) {
        points.push_back(k);
    }
    for (std::size_t i = 1; i <= kSpread; ++i) {
        points.push_back(kEnds + i * (made - 2 * kEnds) / (kSpread + 1));
    }
    for (std::size_t k = made - kEnds + 1; k <= made; ++k) {
        points.push_back(k);
    }
    FailAllocationsAt(demo::RunListDemo, points, expected::kListDemo);
}

}  // namespace
