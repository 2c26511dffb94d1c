#include "TestAccess.h"

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

using containers::ArrayStack;
using containers::CircularQueue;
using testsupport::TestAccess;

TEST(ArrayStackTest, EmptyStackGivesMinusOne) {
    ArrayStack s;
    EXPECT_EQ(s.Peek(), -1);
    EXPECT_EQ(s.Pop(), -1);
    EXPECT_EQ(TestAccess::Of(s).count, 0);
    s.Push(7);
    EXPECT_EQ(s.Peek(), 7);
    EXPECT_EQ(s.Pop(), 7);
    EXPECT_EQ(s.Pop(), -1);
}

TEST(ArrayStackTest, GrowsOnThirdAndFifthPushKeepingOrder) {
    ArrayStack s;
    std::vector<std::int32_t> capacities;
    for (std::int32_t v = 0; v < 9; ++v) {
        s.Push(v * 10);
        capacities.push_back(TestAccess::Of(s).capacity);
    }
    EXPECT_EQ(capacities, (std::vector<std::int32_t>{2, 2, 4, 4, 8, 8, 8, 8, 16}));
    for (std::int32_t v = 8; v >= 0; --v) {
        EXPECT_EQ(s.Pop(), v * 10);
    }
    EXPECT_EQ(s.Pop(), -1);
    EXPECT_EQ(TestAccess::Of(s).capacity, 16);  // never shrinks
}

TEST(ArrayStackTest, PopZeroesTheVacatedSlotAndMinusOneIsStored) {
    ArrayStack s;
    s.Push(5);
    s.Push(-1);
    EXPECT_EQ(s.Peek(), -1);
    EXPECT_EQ(s.Pop(), -1);
    EXPECT_EQ(TestAccess::Slot(s, 1), 0);
    EXPECT_EQ(s.Pop(), 5);
    EXPECT_EQ(TestAccess::Slot(s, 0), 0);
    EXPECT_EQ(s.Pop(), -1);
}

TEST(ArrayStackTest, RefillsAGrownStackWithoutGrowing) {
    ArrayStack s;
    for (std::int32_t v = 0; v < 8; ++v) {
        s.Push(v);
    }
    while (s.Pop() != -1) {
    }
    const void* array = TestAccess::Of(s).items;
    for (std::int32_t v = 0; v < 8; ++v) {
        s.Push(v);
    }
    EXPECT_EQ(TestAccess::Of(s).items, array);
    EXPECT_EQ(TestAccess::Of(s).capacity, 8);
}

TEST(ArrayStackTest, CopiesAreIndependentAndMovesEmptyTheSource) {
    ArrayStack a;
    for (std::int32_t v = 1; v <= 5; ++v) {
        a.Push(v);
    }
    ArrayStack b(a);
    EXPECT_EQ(TestAccess::Of(b).live, TestAccess::Of(a).live);
    EXPECT_NE(TestAccess::Of(b).items, TestAccess::Of(a).items);
    b.Push(6);
    EXPECT_EQ(a.Pop(), 5);
    EXPECT_EQ(b.Pop(), 6);

    ArrayStack c;
    c = b;
    const ArrayStack& self = c;
    c = self;  // self-assignment keeps the contents
    EXPECT_EQ(c.Peek(), 5);

    ArrayStack moved(std::move(c));
    EXPECT_EQ(moved.Pop(), 5);
    EXPECT_EQ(c.Pop(), -1);  // moved from: empty and usable
    for (std::int32_t v = 0; v < 3; ++v) {
        c.Push(v);
    }
    EXPECT_EQ(c.Pop(), 2);
    a = std::move(moved);
    EXPECT_EQ(a.Pop(), 4);
}

// Catches a count or an emptiness that does not follow the items, in a stack
// that holds only -1s, where Pop cannot tell: through each growth, Pop to
// empty and past it, a copy, a swap, a move and a move assignment.
TEST(ArrayStackTest, CountAndIsEmptyTellStoredMinusOnesFromNone) {
    ArrayStack s;
    EXPECT_TRUE(s.IsEmpty());
    for (std::int32_t n = 1; n <= 9; ++n) {  // grows at the 3rd, 5th and 9th
        s.Push(-1);
        EXPECT_EQ(s.Count(), n);
        EXPECT_FALSE(s.IsEmpty());
    }
    ArrayStack copy(s);
    ArrayStack other;
    other.Push(-1);
    swap(copy, other);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(other.Count(), 9);
    ArrayStack moved(std::move(other));
    EXPECT_TRUE(other.IsEmpty());  // NOLINT(bugprone-use-after-move): moved from is empty
    copy = std::move(moved);
    EXPECT_EQ(moved.Count(), 0);  // NOLINT(bugprone-use-after-move)
    for (std::int32_t n = 9; n > 0; --n) {
        EXPECT_EQ(copy.Pop(), -1);
        EXPECT_EQ(copy.Count(), n - 1);
    }
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(copy.Pop(), -1);
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(s.Count(), 9);  // the copy's source kept its own
}

TEST(CircularQueueTest, EmptyQueueGivesMinusOne) {
    CircularQueue q;
    EXPECT_EQ(q.Peek(), -1);
    EXPECT_EQ(q.Dequeue(), -1);
    EXPECT_EQ(TestAccess::Of(q).head, 0);
    EXPECT_EQ(TestAccess::Of(q).tail, -1);
    q.Enqueue(7);
    EXPECT_EQ(q.Peek(), 7);
    EXPECT_EQ(q.Dequeue(), 7);
    EXPECT_EQ(TestAccess::Of(q).head, 0);
    EXPECT_EQ(TestAccess::Of(q).tail, -1);
    EXPECT_EQ(q.Dequeue(), -1);
}

TEST(CircularQueueTest, GrowthWhileWrappedStraightensTheRing) {
    CircularQueue q;
    q.Enqueue(10);
    q.Enqueue(11);
    EXPECT_EQ(q.Dequeue(), 10);
    EXPECT_EQ(TestAccess::Slot(q, 0), -1);
    q.Enqueue(12);  // wraps to index 0
    EXPECT_EQ(TestAccess::Slot(q, 0), 12);
    EXPECT_EQ(TestAccess::Of(q).head, 1);
    EXPECT_EQ(TestAccess::Of(q).tail, 0);

    q.Enqueue(13);  // grows: 11 12 13 .
    TestAccess::State state = TestAccess::Of(q);
    EXPECT_EQ(state.capacity, 4);
    EXPECT_EQ(state.head, 0);
    EXPECT_EQ(state.tail, 2);
    EXPECT_EQ(TestAccess::Slot(q, 0), 11);
    EXPECT_EQ(TestAccess::Slot(q, 1), 12);
    EXPECT_EQ(TestAccess::Slot(q, 2), 13);

    EXPECT_EQ(q.Dequeue(), 11);
    EXPECT_EQ(q.Dequeue(), 12);
    EXPECT_EQ(q.Dequeue(), 13);
    EXPECT_EQ(q.Dequeue(), -1);
    state = TestAccess::Of(q);
    EXPECT_EQ(state.head, 2);
    EXPECT_EQ(state.tail, 1);
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(TestAccess::Slot(q, i), -1);
    }

    q.Enqueue(14);  // stored where the last item was taken
    EXPECT_EQ(TestAccess::Slot(q, 2), 14);
    EXPECT_EQ(TestAccess::Of(q).tail, 2);
}

TEST(CircularQueueTest, KeepsOrderAcrossManyWrapsAndGrowths) {
    CircularQueue q;
    std::int32_t next = 0;
    std::int32_t expected = 0;
    for (std::int32_t round = 1; round <= 40; ++round) {
        for (std::int32_t i = 0; i < round % 7 + 1; ++i) {
            q.Enqueue(next++);
        }
        for (std::int32_t i = 0; i < round % 5; ++i) {
            if (expected < next) {
                EXPECT_EQ(q.Dequeue(), expected++);
            }
        }
    }
    while (expected < next) {
        EXPECT_EQ(q.Dequeue(), expected++);
    }
    EXPECT_EQ(q.Dequeue(), -1);
}

TEST(CircularQueueTest, FollowsTheDocumentedTraceStepByStep) {
    CircularQueue q;
    for (std::int32_t v = 0; v <= 4; ++v) {
        q.Enqueue(v);
    }
    EXPECT_EQ(TestAccess::Of(q).capacity, 8);
    for (std::int32_t v = 0; v <= 2; ++v) {
        EXPECT_EQ(q.Dequeue(), v);
    }
    for (std::int32_t v = 5; v <= 7; ++v) {
        q.Enqueue(v);
    }
    for (std::int32_t v = 3; v <= 7; ++v) {
        EXPECT_EQ(q.Dequeue(), v);
    }
    const TestAccess::State state = TestAccess::Of(q);
    EXPECT_EQ(state.capacity, 8);
    EXPECT_EQ(state.head, 7);
    EXPECT_EQ(state.tail, 6);
}

TEST(CircularQueueTest, AStoredMinusOneReadsAsEmptyAndARefillDoesNotGrow) {
    CircularQueue q;
    q.Enqueue(-1);
    EXPECT_EQ(q.Peek(), -1);
    EXPECT_EQ(q.Dequeue(), -1);
    EXPECT_EQ(TestAccess::Of(q).count, 0);

    for (std::int32_t v = 0; v < 8; ++v) {
        q.Enqueue(v);
    }
    while (q.Dequeue() != 7) {
    }
    const void* array = TestAccess::Of(q).items;
    for (std::int32_t v = 0; v < 8; ++v) {
        q.Enqueue(v);
    }
    EXPECT_EQ(TestAccess::Of(q).items, array);
    EXPECT_EQ(TestAccess::Of(q).capacity, 8);
    EXPECT_EQ(q.Dequeue(), 0);
}

TEST(CircularQueueTest, CopiesAreIndependentAndMovesEmptyTheSource) {
    CircularQueue a;
    for (std::int32_t v = 0; v < 4; ++v) {
        a.Enqueue(v);
    }
    a.Dequeue();
    a.Dequeue();
    a.Enqueue(4);  // wrapped: 2 3 4 around the end of the array
    CircularQueue b(a);
    EXPECT_EQ(TestAccess::Of(b).live, TestAccess::Of(a).live);
    EXPECT_EQ(TestAccess::Of(b).head, TestAccess::Of(a).head);
    b.Enqueue(5);
    EXPECT_EQ(a.Dequeue(), 2);
    EXPECT_EQ(b.Dequeue(), 2);
    EXPECT_EQ(a.Dequeue(), 3);
    EXPECT_EQ(a.Dequeue(), 4);
    EXPECT_EQ(a.Dequeue(), -1);
    EXPECT_EQ(TestAccess::Of(b).live, (std::vector<std::int32_t>{3, 4, 5}));

    CircularQueue moved(std::move(b));
    EXPECT_EQ(moved.Peek(), 3);
    EXPECT_EQ(b.Dequeue(), -1);  // moved from: empty and usable
    for (std::int32_t v = 0; v < 3; ++v) {
        b.Enqueue(v);
    }
    EXPECT_EQ(b.Dequeue(), 0);
    a = moved;
    a = std::move(moved);
    EXPECT_EQ(a.Dequeue(), 3);
}

// Catches a count or an emptiness that does not follow the items, in a queue
// that holds only -1s, where Dequeue cannot tell: through wrap-around, a
// growth while wrapped, Dequeue to empty and past it, a copy of a wrapped
// ring, a swap, a move and a move assignment.
TEST(CircularQueueTest, CountAndIsEmptyTellStoredMinusOnesFromNone) {
    CircularQueue q;
    EXPECT_TRUE(q.IsEmpty());
    q.Enqueue(-1);
    q.Enqueue(-1);
    EXPECT_EQ(q.Dequeue(), -1);
    EXPECT_EQ(q.Count(), 1);
    q.Enqueue(-1);  // wraps to index 0
    EXPECT_EQ(q.Count(), 2);
    q.Enqueue(-1);  // grows while wrapped
    EXPECT_EQ(q.Count(), 3);
    EXPECT_FALSE(q.IsEmpty());
    CircularQueue copy(q);
    CircularQueue other;
    other.Enqueue(-1);
    swap(copy, other);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(other.Count(), 3);
    CircularQueue moved(std::move(other));
    EXPECT_TRUE(other.IsEmpty());  // NOLINT(bugprone-use-after-move): moved from is empty
    copy = std::move(moved);
    EXPECT_EQ(moved.Count(), 0);  // NOLINT(bugprone-use-after-move)
    for (std::int32_t n = 3; n > 0; --n) {
        EXPECT_EQ(copy.Dequeue(), -1);
        EXPECT_EQ(copy.Count(), n - 1);
    }
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(copy.Dequeue(), -1);
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(q.Count(), 3);  // the copy's source kept its own
}

}  // namespace
