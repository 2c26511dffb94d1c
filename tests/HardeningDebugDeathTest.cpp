// The checks that only the debug hardening level makes. No build gets that
// level unless it asks, so this file is a test binary of its own that asks
// for it, with its own copy of the library built at that level
// (tests/CMakeLists.txt).

#include <containers/List.h>
#include <containers/ListNode.h>

#include <gtest/gtest.h>

static_assert(CONTAINERS_HARDENING == CONTAINERS_HARDENING_DEBUG, "this binary asks for the debug level");

namespace {

using containers::List;
using containers::ListNode;

List ThreeNodes() {
    List list;
    for (int i = 0; i < 3; ++i) {
        list.Add(new ListNode(nullptr));
    }
    return list;
}

// A node in the middle of another list has neighbours that point back at it:
// only the walk of the debug level tells that it is not in this list.
TEST(HardeningDebugDeathTest, ListStopsOnANodeOfAnotherList) {
    EXPECT_DEATH(
        {
            List other = ThreeNodes();
            ThreeNodes().Erase(other.Head()->Next());
        },
        "^containers::List::Erase: the node is not linked in this list\n");
    EXPECT_DEATH(
        {
            List other = ThreeNodes();
            ThreeNodes().Insert(other.Head()->Next(), 0);
        },
        "^containers::List::Insert: the node is already linked in a list\n");
}

// Catches a debug-level check that stops a valid call, which the other test
// binaries, built at the fast level or none, cannot see.
// Not a death test, so the leak check covers it: it catches a leak in the
// debug level's Erase and Replace paths.
TEST(HardeningDebugTest, ListLetsEveryValidCallThrough) {
    List list = ThreeNodes();
    EXPECT_TRUE(list.Insert(new ListNode(nullptr), 1));
    EXPECT_TRUE(list.Replace(new ListNode(nullptr), 2));
    list.Erase(list.Head()->Next());
    list.Erase(list.Tail());
    EXPECT_EQ(list.Count(), 2);
}

}  // namespace
