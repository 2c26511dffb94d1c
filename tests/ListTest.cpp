#include "ListInvariants.h"

#include <containers/List.h>
#include <containers/ListNode.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

using containers::List;
using containers::ListNode;
using Walk = containers::List::Walk;

// Every invariant of the list (ListInvariants.h), as a GoogleTest assertion.
testing::AssertionResult Consistent(const List& list) {
    const std::string broken = testsupport::BrokenListInvariant(list);
    return broken.empty() ? testing::AssertionSuccess() : testing::AssertionFailure() << broken;
}

// A list over values 0..n-1, with helpers to make nodes and read the values.
class ListTest : public testing::Test {
protected:
    ListNode* NewNode(std::int32_t value) {
        values.push_back(std::make_unique<std::int32_t>(value));
        return new ListNode(values.back().get());  // the list takes it
    }
    void Fill(std::int32_t n) {
        for (std::int32_t i = 0; i < n; ++i) {
            list.Add(NewNode(i));
        }
    }
    std::vector<std::int32_t> Values() const {
        std::vector<std::int32_t> out;
        for (const ListNode* node = list.Head(); node != nullptr; node = node->Next()) {
            out.push_back(*node->Data());
        }
        return out;
    }

    std::vector<std::unique_ptr<std::int32_t>> values;
    List list;
};

TEST(ListNodeTest, ConstructorsAndSettersWriteOnlyThisNode) {
    std::int32_t x = 5;
    ListNode a(&x);
    EXPECT_EQ(a.Data(), &x);
    EXPECT_EQ(a.Next(), nullptr);
    EXPECT_EQ(a.Prev(), nullptr);

    ListNode b(&x, &a);  // (data, prev)
    EXPECT_EQ(b.Prev(), &a);
    EXPECT_EQ(b.Next(), nullptr);

    ListNode c(nullptr, &a, &b);  // (data, next, prev)
    EXPECT_EQ(c.Data(), nullptr);
    EXPECT_EQ(c.Next(), &a);
    EXPECT_EQ(c.Prev(), &b);

    a.SetNext(&b);
    EXPECT_EQ(b.Prev(), &a);  // only the called node changes
    EXPECT_EQ(a.Prev(), nullptr);
    c.SetPrev(nullptr);
    c.SetData(&x);
    EXPECT_EQ(c.Prev(), nullptr);
    EXPECT_EQ(c.Data(), &x);
}

TEST_F(ListTest, ANewListIsEmptyWithANullCursor) {
    ListNode* node = NewNode(1);
    std::unique_ptr<ListNode> owned(node);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_FALSE(list.Insert(node, 0));
    EXPECT_FALSE(list.Replace(node, 0));
    EXPECT_FALSE(list.Contains(node));
    EXPECT_FALSE(list.IsValidIndex(0));
    list.Erase(node);  // nothing happens on an empty list
    list.Clear();
    EXPECT_EQ(node->Next(), nullptr);
    EXPECT_EQ(node->Prev(), nullptr);
    EXPECT_TRUE(Consistent(list));
}

TEST_F(ListTest, TheOneNodeConstructorMakesTheNodeHeadTailAndCursor) {
    ListNode* node = NewNode(4);
    const List single(node);
    EXPECT_EQ(single.Count(), 1);
    EXPECT_EQ(single.Head(), node);
    EXPECT_EQ(single.Tail(), node);
    EXPECT_EQ(single.Cursor(), node);
    EXPECT_TRUE(Consistent(single));
}

TEST_F(ListTest, AddMovesTheCursorOnlyOnAnEmptyList) {
    ListNode* first = list.Add(NewNode(0));
    EXPECT_EQ(list.Head(), first);
    EXPECT_EQ(list.Tail(), first);
    EXPECT_EQ(list.Cursor(), first);
    ListNode* second = NewNode(1);
    EXPECT_EQ(list.Add(second), second);
    EXPECT_EQ(list.Tail(), second);
    EXPECT_EQ(list.Cursor(), first);
    EXPECT_EQ(list.CursorIndex(), 0);
    EXPECT_TRUE(Consistent(list));
}

TEST_F(ListTest, GetOutsideTheListChangesNothing) {
    Fill(4);
    ASSERT_NE(list.Get(2), nullptr);
    EXPECT_EQ(list.Get(4), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(list.Get(3), list.Tail());
    EXPECT_EQ(list.Get(0), list.Head());
    for (std::int32_t i : {3, 1, 2, 2, 0, 3}) {
        EXPECT_EQ(*list.Get(i)->Data(), i);
        EXPECT_EQ(list.CursorIndex(), i);
        EXPECT_TRUE(Consistent(list));
    }
}

// Puts the cursor at `k` and reports the walk to `i` (then takes it, after
// which reading `i` again starts at the cursor, no step away).
Walk WalkFrom(List& list, std::int32_t k, std::int32_t i) {
    list.Get(k);
    const Walk walk = list.ChooseWalk(i);
    ListNode* const node = list.Get(i);
    EXPECT_EQ(list.Cursor(), node);
    EXPECT_EQ(list.ChooseWalk(i), Walk::BackwardFromCursor);
    EXPECT_EQ(list.Get(i), node);
    return walk;
}

TEST_F(ListTest, ChooseWalkBreaksTiesTowardsTheCursor) {
    Fill(10);
    // After the cursor, the tail must be at least two steps nearer.
    EXPECT_EQ(WalkFrom(list, 0, 5), Walk::ForwardFromCursor);  // 5 steps vs 4 from the tail
    EXPECT_EQ(WalkFrom(list, 0, 6), Walk::FromTail);           // 6 steps vs 3
    // At or before the cursor, the head must be strictly nearer.
    EXPECT_EQ(WalkFrom(list, 6, 3), Walk::BackwardFromCursor);  // 3 steps either way
    EXPECT_EQ(WalkFrom(list, 6, 2), Walk::FromHead);            // 2 vs 4
    EXPECT_EQ(WalkFrom(list, 6, 6), Walk::BackwardFromCursor);  // the cursor itself
    EXPECT_EQ(WalkFrom(list, 0, 0), Walk::BackwardFromCursor);
    EXPECT_EQ(WalkFrom(list, 9, 0), Walk::FromHead);

    list.Clear();
    Fill(5);
    EXPECT_EQ(WalkFrom(list, 0, 3), Walk::FromTail);  // one step back from the tail
    EXPECT_EQ(WalkFrom(list, 0, 4), Walk::FromTail);  // the tail, no step
    // The tail is 0 steps away, but the rule weighs it as n − i = 1 against
    // i − k = 1 from the cursor: a tie, which goes to the cursor.
    EXPECT_EQ(WalkFrom(list, 3, 4), Walk::ForwardFromCursor);
    for (std::int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(*list.Get(i)->Data(), i);
    }
}

TEST_F(ListTest, InsertLinksTheNodeBeforeAValidPosition) {
    Fill(3);  // 0 1 2
    ListNode* front = NewNode(10);
    EXPECT_TRUE(list.Insert(front, 0));
    EXPECT_EQ(list.Head(), front);
    EXPECT_EQ(list.Cursor(), front);
    EXPECT_EQ(list.CursorIndex(), 0);

    ListNode* beforeTail = NewNode(11);
    EXPECT_TRUE(list.Insert(beforeTail, list.Count() - 1));
    EXPECT_EQ(list.Tail()->Prev(), beforeTail);
    EXPECT_EQ(list.CursorIndex(), 3);
    EXPECT_EQ(Values(), (std::vector<std::int32_t>{10, 0, 1, 11, 2}));

    std::unique_ptr<ListNode> refused(NewNode(12));
    EXPECT_FALSE(list.Insert(refused.get(), list.Count()));
    EXPECT_FALSE(list.Insert(refused.get(), -1));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.CursorIndex(), 3);
    EXPECT_TRUE(Consistent(list));
}

TEST_F(ListTest, ReplacePutsTheNodeInPlaceOfAValidPosition) {
    list.Add(NewNode(0));
    ListNode* only = NewNode(1);
    EXPECT_TRUE(list.Replace(only, 0));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Head(), only);
    EXPECT_EQ(list.Tail(), only);
    EXPECT_EQ(list.Cursor(), only);

    Fill(3);  // 1 0 1 2
    ListNode* middle = NewNode(7);
    EXPECT_TRUE(list.Replace(middle, 2));
    EXPECT_EQ(list.Cursor(), middle);
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(Values(), (std::vector<std::int32_t>{1, 0, 7, 2}));
    ListNode* last = NewNode(8);
    EXPECT_TRUE(list.Replace(last, 3));
    EXPECT_EQ(list.Tail(), last);

    std::unique_ptr<ListNode> refused(NewNode(9));
    EXPECT_FALSE(list.Replace(refused.get(), 4));
    EXPECT_FALSE(list.Replace(refused.get(), -1));
    EXPECT_EQ(Values(), (std::vector<std::int32_t>{1, 0, 7, 8}));
    EXPECT_TRUE(Consistent(list));
}

#if defined(CONTAINERS_TEST_DEFAULT_HARDENING) || CONTAINERS_HARDENING < CONTAINERS_HARDENING_DEBUG
// Catches a default hardening level that walks the list on Erase (making it
// linear): with the head's link broken on purpose, no walk from the head
// finds the tail, yet erasing tails needs only the tail's own links.
TEST_F(ListTest, EraseDoesNotWalkTheListAtTheDefaultLevel) {
    Fill(1000);
    ListNode* const second = list.Head()->Next();
    list.Head()->SetNext(list.Head());
    while (list.Count() > 2) {
        list.Erase(list.Tail());
    }
    list.Head()->SetNext(second);
    EXPECT_EQ(Values(), (std::vector<std::int32_t>{0, 1}));
    EXPECT_TRUE(Consistent(list));
}
#endif

TEST_F(ListTest, EraseKeepsTheCursorOnTheListAtItsTruePosition) {
    Fill(8);
    list.Get(4);
    list.Erase(list.Head());  // before the cursor: same node, one lower
    EXPECT_EQ(*list.Cursor()->Data(), 4);
    EXPECT_EQ(list.CursorIndex(), 3);
    list.Erase(list.Tail());  // after the cursor: unchanged
    EXPECT_EQ(list.CursorIndex(), 3);
    list.Erase(list.Cursor()->Prev());
    EXPECT_EQ(*list.Cursor()->Data(), 4);
    EXPECT_EQ(list.CursorIndex(), 2);
    list.Erase(list.Cursor()->Next());
    EXPECT_EQ(*list.Cursor()->Data(), 4);
    EXPECT_TRUE(Consistent(list));
    EXPECT_EQ(Values(), (std::vector<std::int32_t>{1, 2, 4, 6}));

    list.Erase(list.Cursor());  // the cursor node: its successor takes its place
    EXPECT_EQ(*list.Cursor()->Data(), 6);
    EXPECT_EQ(list.CursorIndex(), 2);
    list.Erase(list.Cursor());  // the cursor was the tail: its predecessor
    EXPECT_EQ(*list.Cursor()->Data(), 2);
    EXPECT_EQ(list.CursorIndex(), 1);
    EXPECT_TRUE(Consistent(list));

    Fill(4);  // 1 2 0 1 2 3
    list.Get(5);
    list.Erase(list.Head()->Next()->Next());  // side unknown: re-anchored at the head
    EXPECT_EQ(list.Cursor(), list.Head());
    EXPECT_EQ(list.CursorIndex(), 0);
    EXPECT_EQ(Values(), (std::vector<std::int32_t>{1, 2, 1, 2, 3}));
    EXPECT_TRUE(Consistent(list));

    while (list.Count() > 0) {
        list.Erase(list.Head());
        EXPECT_TRUE(Consistent(list));
    }
    EXPECT_EQ(list.Cursor(), nullptr);
}

TEST_F(ListTest, ErasingAnyPositionFromAnyCursorKeepsTheCursorRule) {
    for (std::int32_t n = 1; n <= 6; ++n) {
        for (std::int32_t k = 0; k < n; ++k) {
            for (std::int32_t e = 0; e < n; ++e) {
                list.Clear();
                Fill(n);
                ListNode* victim = list.Get(e);
                list.Get(k);
                list.Erase(victim);
                ASSERT_TRUE(Consistent(list)) << n << " nodes, cursor " << k << ", erased " << e;
                EXPECT_EQ(list.Count(), n - 1);
                EXPECT_EQ(list.CursorIndex(), testsupport::CursorAfterErase(n, k, e))
                    << n << " nodes, cursor " << k << ", erased " << e;
            }
        }
    }
}

TEST_F(ListTest, AClearedListCanBeFilledAgain) {
    Fill(10000);
    EXPECT_EQ(list.Count(), 10000);
    list.Get(5000);
    list.Clear();
    EXPECT_TRUE(Consistent(list));
    EXPECT_EQ(list.Head(), nullptr);
    ListNode* fresh = list.Add(NewNode(1));
    EXPECT_EQ(list.Head(), fresh);
    EXPECT_EQ(list.Tail(), fresh);
    EXPECT_EQ(list.Cursor(), fresh);
    EXPECT_EQ(list.CursorIndex(), 0);
}

TEST_F(ListTest, ContainsComparesNodesNotValues) {
    Fill(3);
    EXPECT_TRUE(list.Contains(list.Tail()));
    EXPECT_TRUE(list.Contains(list.Get(1)));
    ListNode sameValue(list.Head()->Data());
    EXPECT_FALSE(list.Contains(&sameValue));
    EXPECT_FALSE(list.Contains(nullptr));
}

TEST_F(ListTest, MovingLeavesTheSourceEmpty) {
    Fill(3);
    list.Get(2);
    List moved(std::move(list));
    EXPECT_EQ(moved.Count(), 3);
    EXPECT_EQ(moved.CursorIndex(), 2);
    EXPECT_TRUE(Consistent(moved));
    EXPECT_TRUE(Consistent(list));  // moved from
    EXPECT_EQ(list.Count(), 0);

    list.Add(NewNode(5));
    moved = std::move(list);  // the three nodes are deleted
    EXPECT_EQ(moved.Count(), 1);
    EXPECT_EQ(*moved.Head()->Data(), 5);
    EXPECT_TRUE(Consistent(moved));

    // Catches a move assignment that clears before it checks for itself.
    List& same = moved;
    moved = std::move(same);
    EXPECT_EQ(moved.Count(), 1);
    EXPECT_TRUE(Consistent(moved));
}

}  // namespace
