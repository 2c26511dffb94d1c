#include <containers/CircularQueue.h>

#include "IntArray.h"

#include <algorithm>

namespace containers {

namespace {

// Copies the `count` items of the ring `from` (of `capacity` slots, oldest at
// `head`) to `to`, each at the same index.
void CopyRing(const detail::IntSlot* from, std::int32_t capacity, std::int32_t head, std::int32_t count,
              detail::IntSlot* to) {
    const std::int32_t firstRun = std::min(count, capacity - head);
    std::copy(from + head, from + head + firstRun, to + head);
    std::copy(from, from + (count - firstRun), to);
}

}  // namespace

CircularQueue::CircularQueue() : items(detail::AllocateSlots(2)), capacity(2) {}

CircularQueue::CircularQueue(const CircularQueue& other)
    : items(other.capacity > 0 ? detail::AllocateSlots(other.capacity) : nullptr),
      count(other.count),
      capacity(other.capacity),
      head(other.head),
      tail(other.tail) {
    if (count > 0) {
        CopyRing(other.items, capacity, head, count, items);
    }
}

void CircularQueue::Grow() {
    const std::int32_t grown = detail::DoubledCapacity(capacity);
    detail::IntSlot* const fresh = detail::AllocateSlots(grown);
    // Oldest first, to indices 0 to count - 1: the run from head to the end of
    // the old array, then the part that wrapped to its start.
    const std::int32_t firstRun = std::min(count, capacity - head);
    std::copy(items + head, items + head + firstRun, fresh);
    std::copy(items, items + (count - firstRun), fresh + firstRun);
    delete[] items;
    items = fresh;
    capacity = grown;
    head = 0;
    tail = count - 1;
}

}  // namespace containers
