#include <containers/CircularQueue.h>

#include <algorithm>
#include <utility>

namespace containers {

namespace {

// Copies the `count` items of the ring `from` (of `capacity` slots, oldest at
// `head`) to `to`: the run from `head` to the end of the array, then the part
// that wrapped to its start. Straightened, they go oldest first to indices 0
// to count - 1; otherwise each keeps its index.
void CopyRing(const detail::IntSlot* from, std::int32_t capacity, std::int32_t head, std::int32_t count,
              detail::IntSlot* to, bool straighten) {
    const std::int32_t firstRun = std::min(count, capacity - head);
    std::copy(from + head, from + head + firstRun, straighten ? to : to + head);
    std::copy(from, from + (count - firstRun), straighten ? to + firstRun : to);
}

}  // namespace

CircularQueue::CircularQueue(const CircularQueue& other)
    : items(other.capacity > 0
                ? detail::AllocateSlots(other.capacity, "containers::CircularQueue::CircularQueue")
                : nullptr),
      count(other.count),
      capacity(other.capacity),
      head(other.head),
      tail(other.tail) {
    if (count > 0) {
        CopyRing(other.items, capacity, head, count, items, false);
    }
}

CircularQueue::CircularQueue(CircularQueue&& other) noexcept
    : items(std::exchange(other.items, nullptr)),
      count(std::exchange(other.count, 0)),
      capacity(std::exchange(other.capacity, 0)),
      head(std::exchange(other.head, 0)),
      tail(std::exchange(other.tail, -1)) {}

CircularQueue& CircularQueue::operator=(CircularQueue other) noexcept {
    Swap(other);
    return *this;
}

void CircularQueue::Swap(CircularQueue& other) noexcept {
    std::swap(items, other.items);
    std::swap(count, other.count);
    std::swap(capacity, other.capacity);
    std::swap(head, other.head);
    std::swap(tail, other.tail);
}

detail::IntSlots CircularQueue::Straightened(detail::IntSlot* items, std::int32_t capacity, std::int32_t head,
                                             std::int32_t count) {
    const std::int32_t grown = detail::DoubledCapacity(capacity, "containers::CircularQueue::Enqueue");
    detail::IntSlot* const fresh = detail::AllocateSlots(grown, "containers::CircularQueue::Enqueue");
    CopyRing(items, capacity, head, count, fresh, true);
    delete[] items;
    return {fresh, grown};
}

}  // namespace containers
