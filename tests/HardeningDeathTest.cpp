#include "AllocationHooks.h"
#include "TestAccess.h"

#include <containers/ArrayStack.h>
#include <containers/HashTable.h>
#include <containers/List.h>
#include <containers/ListNode.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

// The checks of the callers' contracts, each broken in a child process that
// must stop with the line naming it. Compiled for the levels that check them;
// the debug level's own checks are in HardeningDebugDeathTest.cpp.
namespace {

using containers::HashTable;
using containers::List;
using containers::ListNode;
using testsupport::TestAccess;

#if CONTAINERS_HARDENING >= CONTAINERS_HARDENING_FAST

// A list of `n` nodes over no data, with the cursor at the head.
List Nodes(std::int32_t n) {
    List list;
    for (std::int32_t i = 0; i < n; ++i) {
        list.Add(new ListNode(nullptr));
    }
    return list;
}

// Every check of the fast level, one broken contract at a time.
TEST(HardeningDeathTest, ListStopsOnEveryBrokenContractOfTheFastLevel) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_DEATH(List{nullptr}, "^containers::List::List: the node is null\n");
    EXPECT_DEATH(
        {
            ListNode before(nullptr);
            ListNode linked(nullptr, &before);
            List list(&linked);
        },
        "^containers::List::List: the node has links");

    EXPECT_DEATH(Nodes(1).Add(nullptr), "^containers::List::Add: the node is null\n");
    EXPECT_DEATH(
        {
            ListNode before(nullptr);
            Nodes(1).Add(new ListNode(nullptr, &before));
        },
        "^containers::List::Add: the node has links");
    EXPECT_DEATH(
        {
            List list = Nodes(1);
            list.Add(list.Head());
        },
        "^containers::List::Add: the node is already in this list\n");
    EXPECT_DEATH(
        {
            List list = Nodes(1);
            TestAccess::PretendCount(list, kMax);
            list.Add(new ListNode(nullptr));
        },
        "^containers::List::Add: the list holds as many nodes as its count can hold\n");

    EXPECT_DEATH(Nodes(3).Insert(nullptr, 0), "^containers::List::Insert: the node is null\n");
    EXPECT_DEATH(
        {
            List list = Nodes(3);
            list.Insert(list.Tail(), 0);
        },
        "^containers::List::Insert: the node is already in this list\n");
    EXPECT_DEATH(
        {
            List list = Nodes(5);  // the node at 2 is neither an end nor the cursor until Get reaches it
            list.Insert(list.Head()->Next()->Next(), 2);
        },
        "^containers::List::Insert: the node is already in this list\n");
    EXPECT_DEATH(
        {
            List list = Nodes(3);
            TestAccess::PretendCount(list, kMax);
            list.Insert(new ListNode(nullptr), 0);
        },
        "^containers::List::Insert: the list holds as many nodes as its count can hold\n");

    EXPECT_DEATH(Nodes(3).Replace(nullptr, 0), "^containers::List::Replace: the node is null\n");
    EXPECT_DEATH(
        {
            List list = Nodes(3);
            list.Replace(list.Head(), 2);
        },
        "^containers::List::Replace: the node is already in this list\n");
    EXPECT_DEATH(
        {
            List list = Nodes(5);
            list.Replace(list.Head()->Next()->Next(), 2);
        },
        "^containers::List::Replace: the node is already in this list\n");

    EXPECT_DEATH(Nodes(3).Erase(nullptr), "^containers::List::Erase: the node is null\n");
    EXPECT_DEATH(
        {
            ListNode free(nullptr);
            Nodes(3).Erase(&free);
        },
        "^containers::List::Erase: the node is not linked in this list\n");
    EXPECT_DEATH(
        {
            List other = Nodes(3);
            Nodes(3).Erase(other.Tail());
        },
        "^containers::List::Erase: the node is not linked in this list\n");

    EXPECT_DEATH(static_cast<void>(Nodes(3).ChooseWalk(3)),
                 "^containers::List::ChooseWalk: the position holds no node\n");
}

TEST(HardeningDeathTest, HashTableStopsOnEveryBrokenContractOfTheFastLevel) {
    EXPECT_DEATH(HashTable(4).Insert(nullptr), "^containers::HashTable::Insert: the entry is null\n");
    EXPECT_DEATH(static_cast<void>(HashTable(4).Find(static_cast<const char*>(nullptr))),
                 "^containers::HashTable::Find: the key is null\n");
    EXPECT_DEATH(static_cast<void>(HashTable(4).Slot(4)),
                 "^containers::HashTable::Slot: the index is not below the capacity\n");
}

#endif

#if !defined(__cpp_exceptions) && !defined(_CPPUNWIND)

// Built without exceptions, running out of memory stops the program with a
// line naming the operation, instead of throwing.
TEST(HardeningDeathTest, OutOfMemoryWithoutExceptionsNamesTheOperation) {
    EXPECT_DEATH(
        {
            allochooks::FailRequest(1);
            const containers::ArrayStack s;
            allochooks::Keep(&s);
        },
        "^containers::ArrayStack::ArrayStack: out of memory\n");
    EXPECT_DEATH(
        {
            containers::ArrayStack s;
            TestAccess::PretendFull(s, std::int32_t{1} << 30);
            s.Push(1);
        },
        "^containers::ArrayStack::Push: out of memory\n");
}

#endif

}  // namespace
