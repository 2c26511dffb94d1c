#pragma once

// CircularQueue: a first-in, first-out queue of signed 32-bit integers, held
// by value in a ring of slots that starts with two slots and doubles whenever
// an Enqueue finds it full. Growing straightens the ring so that the oldest
// item lands at index 0. It never shrinks, so its capacity is always a power
// of two (or 0 once moved from).
//
// Results: Dequeue and Peek return -1 on an empty queue and change nothing; a
// stored -1 reads the same, so a queue that may hold -1 is asked IsEmpty()
// (or Count()) first. Dequeue writes -1 into the slot it empties. Emptying the queue does not move its
// head: the next item goes where the last one was taken.
//
// Failures: construction and a growing Enqueue throw std::bad_alloc (built
// without exceptions: stop the program, see detail/Failure.h) when the
// array cannot be allocated, also when the doubled capacity would not fit a
// signed 32-bit count or its size in bytes would not fit the address space.
// An Enqueue that throws leaves the queue exactly as it was.
//
// Ownership and copying: the queue owns its array and releases it (and each
// array that a growth replaces). Copies are deep and independent; a moved-from
// queue is empty, holds no array and grows again on its first Enqueue.
//
// Cost: Enqueue, Dequeue, Peek, Count and IsEmpty are constant time, except
// the Enqueue that grows, which copies the items once (amortised constant
// time per Enqueue). Emptying the queue keeps its capacity; docs/design.md
// ("Large arrays") says why a large queue is best kept and reused.
//
// Thread safety: concurrent calls of Peek, Count and IsEmpty on one queue
// are safe; Enqueue, Dequeue, assignment and Swap need exclusive access.

#include <containers/detail/IntSlot.h>

#include <cstdint>

namespace containers {

class CircularQueue {
public:
    // Inline, for the reason IntSlots gives (detail/IntSlot.h).
    CircularQueue();
    ~CircularQueue() { delete[] items; }

    CircularQueue(const CircularQueue& other);
    CircularQueue(CircularQueue&& other) noexcept;
    // Copy or move assignment through a by-value parameter; a failed copy
    // leaves this queue untouched.
    CircularQueue& operator=(CircularQueue other) noexcept;
    void Swap(CircularQueue& other) noexcept;

    void Enqueue(std::int32_t value);
    std::int32_t Dequeue() noexcept;
    [[nodiscard]] std::int32_t Peek() const noexcept { return count == 0 ? -1 : items[head].value; }

    // The items held, and whether there are none.
    [[nodiscard]] std::int32_t Count() const noexcept { return count; }
    [[nodiscard]] bool IsEmpty() const noexcept { return count == 0; }

private:
    // A doubled array holding the `count` items of the ring `items`, oldest
    // first at indices 0 to count - 1; the old array is freed. Throws before
    // it changes anything.
    static detail::IntSlots Straightened(detail::IntSlot* items, std::int32_t capacity, std::int32_t head,
                                         std::int32_t count);

    detail::IntSlot* items;
    std::int32_t count = 0;
    std::int32_t capacity;
    std::int32_t head = 0;   // the oldest item
    std::int32_t tail = -1;  // the newest item; head - 1 (unwrapped) when empty
};

// Found by unqualified swap calls, as the standard library's are.
// NOLINTNEXTLINE(readability-identifier-naming)
inline void swap(CircularQueue& a, CircularQueue& b) noexcept { a.Swap(b); }

inline CircularQueue::CircularQueue()
    : items(detail::AllocateSlots(2, "containers::CircularQueue::CircularQueue")), capacity(2) {}

inline void CircularQueue::Enqueue(std::int32_t value) {
    if (count == capacity) {
        const detail::IntSlots grown = Straightened(items, capacity, head, count);
        items = grown.items;
        capacity = grown.capacity;
        head = 0;
        tail = count - 1;
    }
    // The capacity is a power of two, so masking wraps the index without a
    // compare and branch; from an empty queue's head - 1 it lands on head.
    tail = (tail + 1) & (capacity - 1);
    items[tail].value = value;
    ++count;
}

inline std::int32_t CircularQueue::Dequeue() noexcept {
    if (count == 0) {
        return -1;
    }
    const std::int32_t value = items[head].value;
    items[head].value = -1;
    if (--count > 0) {
        head = (head + 1) & (capacity - 1);
    } else {
        tail = head - 1;  // emptied: the next item goes where this one was
    }
    return value;
}

}  // namespace containers
