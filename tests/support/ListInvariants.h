#pragma once

// The invariants that every List keeps, checked in full: links that agree in
// both directions, open ends at the head and the tail, as many nodes as it
// counts, and the cursor on a node of the list at its recorded position (or,
// when empty, no node at all and a cursor index of 0). The tests check them
// after each step, and the list fuzzer after every operation.

#include <containers/List.h>
#include <containers/ListNode.h>

#include <cstdint>
#include <string>

namespace testsupport {

// A description of the first broken invariant, or "" when all of them hold.
inline std::string BrokenListInvariant(const containers::List& list) {
    using containers::ListNode;
    if (list.Count() == 0) {
        const bool clean = list.Head() == nullptr && list.Tail() == nullptr && list.Cursor() == nullptr &&
                           list.CursorIndex() == 0;
        return clean ? "" : "empty list with a node or a cursor index";
    }
    if (list.Head() == nullptr || list.Tail() == nullptr || list.Head()->Prev() != nullptr ||
        list.Tail()->Next() != nullptr) {
        return "open ends";
    }
    const ListNode* prev = nullptr;
    const ListNode* node = list.Head();
    bool cursorSeen = false;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        if (node == nullptr || node->Prev() != prev) {
            return "broken link at " + std::to_string(i);
        }
        if (node == list.Cursor()) {
            cursorSeen = true;
            if (i != list.CursorIndex()) {
                return "cursor at " + std::to_string(i) + ", recorded " + std::to_string(list.CursorIndex());
            }
        }
        prev = node;
        node = node->Next();
    }
    if (node != nullptr || prev != list.Tail()) {
        return "count does not end at the tail";
    }
    return cursorSeen ? "" : "cursor not in the list";
}

// The rules that List.h states for the cursor, by position and worked out
// apart from the list's own code, for the tests and the list fuzzer.

// What ChooseWalk returns (as its integer) for a valid position i of a list
// of n nodes with the cursor at k, from the steps each walk takes. The walk
// from the cursor is the default. The head wins only when it takes fewer
// steps; the tail, after the cursor, only when it takes at least two fewer
// (it is weighed as one step further than it is). Ties go to the cursor.
inline std::int32_t ExpectedWalk(std::int32_t n, std::int32_t k, std::int32_t i) {
    enum : std::int32_t { kFromHead = 0, kFromTail = 1, kForwardFromCursor = 2, kBackwardFromCursor = 3 };
    const std::int64_t headSteps = i;
    const std::int64_t tailSteps = std::int64_t{n} - 1 - i;
    if (i > k) {
        const std::int64_t cursorSteps = std::int64_t{i} - k;
        return tailSteps <= cursorSteps - 2 ? kFromTail : kForwardFromCursor;
    }
    const std::int64_t cursorSteps = std::int64_t{k} - i;
    return headSteps < cursorSteps ? kFromHead : kBackwardFromCursor;
}

// The cursor's position after Erase of position e from a list of n nodes
// with the cursor at k.
inline std::int32_t CursorAfterErase(std::int32_t n, std::int32_t k, std::int32_t e) {
    if (n == 1) {
        return 0;  // emptied
    }
    if (e == k) {
        return e < n - 1 ? k : k - 1;  // to the successor, or back from the tail
    }
    if (e == 0 || e == k - 1) {
        return k - 1;  // before the cursor: it keeps its node
    }
    if (e == n - 1 || e == k + 1) {
        return k;  // the tail or the cursor's successor: left alone
    }
    return 0;  // any other node: re-anchored at the head
}

}  // namespace testsupport
