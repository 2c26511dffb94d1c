#pragma once

// ListNode: an element of a List. It links to the node before and the node
// after it and refers to one integer that belongs to whoever created the node.
//
// Ownership: the node never reads or frees its integer, and its destructor
// does not unlink it. Callers create nodes on the heap and hand them to a
// List, which deletes them. Every operation is constant time and none fails.
//
// Thread safety: concurrent calls of the getters are safe; a setter needs
// exclusive access to the node.

#include <cstdint>

namespace containers {

class ListNode {
public:
    // Links not given are null. With one link, it is the node before this
    // one; with two, the node after comes first: (data, next, prev).
    explicit ListNode(std::int32_t* item) noexcept : data(item) {}
    ListNode(std::int32_t* item, ListNode* before) noexcept : data(item), prev(before) {}
    ListNode(std::int32_t* item, ListNode* after, ListNode* before) noexcept
        : data(item), next(after), prev(before) {}

    [[nodiscard]] std::int32_t* Data() const noexcept { return data; }
    [[nodiscard]] ListNode* Next() const noexcept { return next; }
    [[nodiscard]] ListNode* Prev() const noexcept { return prev; }

    // Each setter writes only this node; keeping both directions of a link
    // consistent is the list's work.
    void SetData(std::int32_t* newData) noexcept { data = newData; }
    void SetNext(ListNode* newNext) noexcept { next = newNext; }
    void SetPrev(ListNode* newPrev) noexcept { prev = newPrev; }

private:
    std::int32_t* data = nullptr;
    ListNode* next = nullptr;
    ListNode* prev = nullptr;
};

}  // namespace containers
