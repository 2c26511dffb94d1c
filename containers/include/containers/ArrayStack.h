#pragma once

// ArrayStack: a last-in, first-out stack of signed 32-bit integers, held by
// value in one array that starts with two slots and doubles whenever a Push
// finds it full (at the 3rd, 5th, 9th ... Push). It never shrinks.
//
// Results: Pop and Peek return -1 on an empty stack and change nothing; a
// stored -1 reads the same, so a stack that may hold -1 is asked IsEmpty()
// (or Count()) first. Pop writes 0 into the slot it empties.
//
// Failures: construction and a growing Push throw std::bad_alloc (built
// without exceptions: stop the program, see detail/Failure.h) when the
// array cannot be allocated, also when the doubled capacity would not fit a
// signed 32-bit count or its size in bytes would not fit the address space.
// A Push that throws leaves the stack exactly as it was.
//
// Ownership and copying: the stack owns its array and releases it (and each
// array that a growth replaces). Copies are deep and independent; a moved-from
// stack is empty, holds no array and grows again on its first Push.
//
// Cost: Push, Pop, Peek, Count and IsEmpty are constant time, except the
// Push that grows, which copies the items once (amortised constant time per
// Push). Emptying the stack keeps its capacity; docs/design.md ("Large
// arrays") says why a large stack is best kept and reused.
//
// Thread safety: concurrent calls of Peek, Count and IsEmpty on one stack are
// safe; Push and Pop, assignment and Swap need exclusive access.

#include <containers/detail/IntSlot.h>

#include <cstdint>

namespace containers {

class ArrayStack {
public:
    // Inline, for the reason IntSlots gives (detail/IntSlot.h).
    ArrayStack();
    ~ArrayStack() { delete[] items; }

    ArrayStack(const ArrayStack& other);
    ArrayStack(ArrayStack&& other) noexcept;
    // Copy or move assignment through a by-value parameter; a failed copy
    // leaves this stack untouched.
    ArrayStack& operator=(ArrayStack other) noexcept;
    void Swap(ArrayStack& other) noexcept;

    void Push(std::int32_t value);
    std::int32_t Pop() noexcept;
    [[nodiscard]] std::int32_t Peek() const noexcept { return top == 0 ? -1 : items[top - 1].value; }

    // The items held, and whether there are none.
    [[nodiscard]] std::int32_t Count() const noexcept { return top; }
    [[nodiscard]] bool IsEmpty() const noexcept { return top == 0; }

private:
    // A doubled array holding the `top` items of `items`, which is freed.
    // Throws before it changes anything.
    static detail::IntSlots Doubled(detail::IntSlot* items, std::int32_t top, std::int32_t capacity);

    detail::IntSlot* items;
    std::int32_t top = 0;  // items held, and the index of the next free slot
    std::int32_t capacity;
};

// Found by unqualified swap calls, as the standard library's are.
// NOLINTNEXTLINE(readability-identifier-naming)
inline void swap(ArrayStack& a, ArrayStack& b) noexcept { a.Swap(b); }

inline ArrayStack::ArrayStack()
    : items(detail::AllocateSlots(2, "containers::ArrayStack::ArrayStack")), capacity(2) {}

inline void ArrayStack::Push(std::int32_t value) {
    if (top == capacity) {
        const detail::IntSlots grown = Doubled(items, top, capacity);
        items = grown.items;
        capacity = grown.capacity;
    }
    items[top++].value = value;
}

inline std::int32_t ArrayStack::Pop() noexcept {
    if (top == 0) {
        return -1;
    }
    const std::int32_t value = items[--top].value;
    items[top].value = 0;
    return value;
}

}  // namespace containers
