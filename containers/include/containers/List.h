#pragma once

// List: a list of ListNode elements linked in both directions, read by
// position through a cursor.
//
// The list remembers the node that the last positional access reached (its
// cursor) and that node's position. Each positional access walks from the
// head, the tail or the cursor, as ChooseWalk states, so reading positions
// 0, 1, 2, ... in order costs one step each and reading the same position
// twice costs none. Positions count from 0 at the head.
//
// Ownership: a node belongs to the list from the moment Add links it, or
// Insert or Replace returns true; the list deletes it on Erase, when Replace
// puts another node in its place, on Clear and on destruction. A node that
// Insert or Replace refuses stays with the caller. The list never frees the
// integers that nodes refer to, and allocates nothing itself.
//
// Failures are results: Get returns nullptr and Insert and Replace return
// false for a position that holds no node, changing nothing. Erase and Clear
// do nothing on an empty list. Nothing throws.
//
// Caller contracts, each checked at the hardening level in brackets (see
// detail/Hardening.h; a broken one stops the program with a line naming it):
// - The one-node constructor and Add: the node is not null [fast] and has
//   null links [fast]. Add: the node is not this list's tail [fast] (with
//   null links, that is the only way it can be in this list), and the count
//   has room [fast].
// - Insert and Replace: the node is not null [fast]; it is not this list's
//   head, tail or cursor, nor the node it would go before or replace [fast];
//   its links do not lead to nodes that point back at it [debug]. Insert
//   needs room in the count [fast].
// - Erase, on a list that is not empty: the node is not null [fast]; its
//   neighbours point back at it, and where it has none on a side it is the
//   head or the tail [fast], which rejects a free node and the head or tail
//   of another list; a walk from the head finds it [debug, linear].
// - ChooseWalk: the position holds a node [fast].
// A node in the middle of another list passes the fast level: only the debug
// level catches it (Erase by its walk, Insert and Replace by its neighbours).
// No level catches the head or the tail of another list handed to Insert or
// Replace, nor a node that has been deleted.
//
// The cursor after Erase: erasing the cursor node moves the cursor to its
// successor at the same position, or to its predecessor when it was the tail.
// Erasing the head or the cursor's predecessor keeps the cursor on its node,
// one position lower. Erasing the cursor's successor or the tail leaves the
// cursor alone. Erasing any other node re-anchors the cursor at the head,
// position 0, on whichever side of the cursor the node lay: Erase cannot tell
// that in constant time. An emptied list has a null cursor at position 0.
//
// Cost: Add, Erase, Count, Head, Tail, Cursor, IsValidIndex and ChooseWalk are
// constant time; Get, Insert and Replace walk the distance ChooseWalk picks;
// Clear and Contains are linear. Only the debug hardening level, which a
// build gets only by asking for it, changes a cost: Erase then walks the list
// to find its node, in linear time.
//
// A list cannot be copied (a node has one owner); moving leaves the source
// empty.
//
// Thread safety: as for the standard containers, concurrent calls of const
// members on one list are safe, and every other call needs exclusive access.
// Get, Insert and Replace move the cursor, so they count as writes: threads
// that only read one list by position still need the caller's lock.

#include <containers/ListNode.h>
#include <containers/detail/Hardening.h>

#include <cstdint>
#include <limits>

namespace containers {

class List {
public:
    // Where Get starts its walk to a position.
    enum class Walk : std::int32_t {
        FromHead = 0,            // forward from the head
        FromTail = 1,            // backward from the tail
        ForwardFromCursor = 2,   // forward from the cursor
        BackwardFromCursor = 3,  // backward from the cursor (no step at the cursor itself)
    };

    List() noexcept = default;
    CONTAINERS_PER_LEVEL explicit List(ListNode* first) noexcept;
    ~List() { Clear(); }

    List(const List&) = delete;
    List& operator=(const List&) = delete;
    List(List&& other) noexcept;
    List& operator=(List&& other) noexcept;

    [[nodiscard]] std::int32_t Count() const noexcept { return count; }
    [[nodiscard]] ListNode* Head() const noexcept { return head; }
    [[nodiscard]] ListNode* Tail() const noexcept { return tail; }
    [[nodiscard]] ListNode* Cursor() const noexcept { return cursor; }
    [[nodiscard]] std::int32_t CursorIndex() const noexcept { return cursorIndex; }

    // Appends the node after the tail and returns it. The cursor moves only
    // when the list was empty.
    CONTAINERS_PER_LEVEL ListNode* Add(ListNode* node) noexcept;

    // Links the node in before the node at `position`, which it then holds;
    // false when the position holds no node (appending is Add's work).
    CONTAINERS_PER_LEVEL bool Insert(ListNode* node, std::int32_t position) noexcept;

    // Puts the node in place of the node at `position` and deletes the old
    // node; false when the position holds no node.
    CONTAINERS_PER_LEVEL bool Replace(ListNode* node, std::int32_t position) noexcept;

    // Unlinks a node of this list and deletes it.
    CONTAINERS_PER_LEVEL void Erase(ListNode* node) noexcept;

    // The node at `position`, which becomes the cursor; nullptr (and no
    // change) when the position holds no node.
    CONTAINERS_PER_LEVEL ListNode* Get(std::int32_t position) noexcept;

    // Deletes every node.
    void Clear() noexcept;

    // Whether this very node is linked in this list.
    [[nodiscard]] bool Contains(const ListNode* node) const noexcept;

    [[nodiscard]] bool IsValidIndex(std::int32_t position) const noexcept {
        return position >= 0 && position < count;
    }

    // The walk Get takes to a valid position i, with the cursor at k and n
    // nodes: after the cursor, the tail only when it is at least two steps
    // nearer (its side of the comparison is n − i); at or before the cursor,
    // the head only when strictly nearer. Ties go to the cursor.
    [[nodiscard]] CONTAINERS_PER_LEVEL Walk ChooseWalk(std::int32_t position) const noexcept;

private:
    // The node `steps` links after, or before, `node`.
    static ListNode* Forward(ListNode* node, std::int32_t steps) noexcept;
    static ListNode* Backward(ListNode* node, std::int32_t steps) noexcept;
    // Whether the (non-null) node's links agree with this list's: true for
    // every node of the list, false for a free node and for the head or tail
    // of another list. It follows the node's links.
    [[nodiscard]] bool IsLinkedHere(const ListNode* node) const noexcept {
        return (node->Prev() != nullptr ? node->Prev()->Next() == node : head == node) &&
               (node->Next() != nullptr ? node->Next()->Prev() == node : tail == node);
    }
    // Whether the node is one this list holds at an end or its cursor.
    [[nodiscard]] bool IsEndOrCursor(const ListNode* node) const noexcept {
        return node == head || node == tail || node == cursor;
    }
    // Back to an empty list, without deleting anything.
    void Reset() noexcept;

    ListNode* head = nullptr;
    ListNode* tail = nullptr;
    ListNode* cursor = nullptr;
    std::int32_t count = 0;
    std::int32_t cursorIndex = 0;
};

inline List::Walk List::ChooseWalk(std::int32_t position) const noexcept {
    CONTAINERS_CHECK_FAST(IsValidIndex(position), "containers::List::ChooseWalk",
                          "the position holds no node");
    const std::int32_t i = position;
    const std::int32_t k = cursorIndex;
    if (i > k) {
        return count - i < i - k ? Walk::FromTail : Walk::ForwardFromCursor;
    }
    return i < k - i ? Walk::FromHead : Walk::BackwardFromCursor;
}

inline ListNode* List::Forward(ListNode* node, std::int32_t steps) noexcept {
    for (; steps > 0; --steps) {
        node = node->Next();
    }
    return node;
}

inline ListNode* List::Backward(ListNode* node, std::int32_t steps) noexcept {
    for (; steps > 0; --steps) {
        node = node->Prev();
    }
    return node;
}

inline void List::Reset() noexcept {
    head = tail = cursor = nullptr;
    count = cursorIndex = 0;
}

inline List::List(ListNode* first) noexcept : head(first), tail(first), cursor(first), count(1) {
    CONTAINERS_CHECK_FAST(first != nullptr, "containers::List::List", "the node is null");
    CONTAINERS_CHECK_FAST(first->Next() == nullptr && first->Prev() == nullptr, "containers::List::List",
                          "the node has links (it must be linked in no list)");
}

inline ListNode* List::Add(ListNode* node) noexcept {
    CONTAINERS_CHECK_FAST(node != nullptr, "containers::List::Add", "the node is null");
    CONTAINERS_CHECK_FAST(node->Next() == nullptr && node->Prev() == nullptr, "containers::List::Add",
                          "the node has links (it must be linked in no list)");
    if (count == 0) {
        head = tail = cursor = node;
        cursorIndex = 0;
    } else {
        // With null links, a node of this list can only be its one node, which
        // is the tail (already in a register here).
        CONTAINERS_CHECK_FAST(node != tail, "containers::List::Add", "the node is already in this list");
        CONTAINERS_CHECK_FAST(count < (std::numeric_limits<std::int32_t>::max)(), "containers::List::Add",
                              "the list holds as many nodes as its count can hold");
        tail->SetNext(node);
        node->SetPrev(tail);
        tail = node;
    }
    ++count;
    return node;
}

inline ListNode* List::Get(std::int32_t position) noexcept {
    // The position right after the cursor, as a reading in order asks for:
    // one step forward, the walk ChooseWalk picks there, decided in one test.
    if (position == cursorIndex + 1 && position < count) {
        cursor = cursor->Next();
        cursorIndex = position;
        return cursor;
    }
    if (!IsValidIndex(position)) {
        return nullptr;
    }
    ListNode* node = nullptr;
    switch (ChooseWalk(position)) {
        case Walk::FromHead:
            node = Forward(head, position);
            break;
        case Walk::FromTail:
            node = Backward(tail, count - position - 1);
            break;
        case Walk::ForwardFromCursor:
            node = Forward(cursor, position - cursorIndex);
            break;
        case Walk::BackwardFromCursor:
            node = Backward(cursor, cursorIndex - position);
            break;
    }
    cursor = node;
    cursorIndex = position;
    return node;
}

inline bool List::Insert(ListNode* node, std::int32_t position) noexcept {
    CONTAINERS_CHECK_FAST(node != nullptr, "containers::List::Insert", "the node is null");
    CONTAINERS_CHECK_FAST(!IsEndOrCursor(node), "containers::List::Insert",
                          "the node is already in this list");
    ListNode* const p = Get(position);
    if (p == nullptr) {
        return false;
    }
    CONTAINERS_CHECK_FAST(node != p, "containers::List::Insert", "the node is already in this list");
    CONTAINERS_CHECK_DEBUG(!IsLinkedHere(node), "containers::List::Insert",
                           "the node is already linked in a list");
    CONTAINERS_CHECK_FAST(count < (std::numeric_limits<std::int32_t>::max)(), "containers::List::Insert",
                          "the list holds as many nodes as its count can hold");
    ListNode* const q = p->Prev();
    if (q != nullptr) {
        q->SetNext(node);
    } else {
        head = node;
    }
    node->SetPrev(q);
    node->SetNext(p);
    p->SetPrev(node);
    cursor = node;
    ++count;
    return true;
}

inline bool List::Replace(ListNode* node, std::int32_t position) noexcept {
    CONTAINERS_CHECK_FAST(node != nullptr, "containers::List::Replace", "the node is null");
    CONTAINERS_CHECK_FAST(!IsEndOrCursor(node), "containers::List::Replace",
                          "the node is already in this list");
    ListNode* const old = Get(position);
    if (old == nullptr) {
        return false;
    }
    CONTAINERS_CHECK_FAST(node != old, "containers::List::Replace", "the node is already in this list");
    CONTAINERS_CHECK_DEBUG(!IsLinkedHere(node), "containers::List::Replace",
                           "the node is already linked in a list");
    node->SetNext(old->Next());
    node->SetPrev(old->Prev());
    if (old->Prev() != nullptr) {
        old->Prev()->SetNext(node);
    } else {
        head = node;
    }
    if (old->Next() != nullptr) {
        old->Next()->SetPrev(node);
    } else {
        tail = node;
    }
    delete old;
    cursor = node;
    return true;
}

inline void List::Erase(ListNode* node) noexcept {
    if (count == 0) {
        return;
    }
    CONTAINERS_CHECK_FAST(node != nullptr, "containers::List::Erase", "the node is null");
    CONTAINERS_CHECK_FAST(IsLinkedHere(node), "containers::List::Erase",
                          "the node is not linked in this list");
    CONTAINERS_CHECK_DEBUG(Contains(node), "containers::List::Erase", "the node is not linked in this list");
    ListNode* const prev = node->Prev();
    ListNode* const next = node->Next();

    // Re-anchor the cursor while the links still tell which side it is on.
    if (node == cursor) {
        if (next != nullptr) {
            cursor = next;
        } else {
            cursor = prev;
            --cursorIndex;
        }
    } else if (node == head || node == cursor->Prev()) {
        --cursorIndex;
    } else if (node != tail && node != cursor->Next()) {
        cursor = head;  // not the erased node: that one has a predecessor
        cursorIndex = 0;
    }

    if (prev != nullptr) {
        prev->SetNext(next);
    } else {
        head = next;
    }
    if (next != nullptr) {
        next->SetPrev(prev);
    } else {
        tail = prev;
    }
    delete node;
    if (--count == 0) {
        Reset();
    }
}

}  // namespace containers
