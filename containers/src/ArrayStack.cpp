#include <containers/ArrayStack.h>

#include <algorithm>

namespace containers {

ArrayStack::ArrayStack(const ArrayStack& other)
    : items(other.capacity > 0 ? detail::AllocateSlots(other.capacity) : nullptr),
      top(other.top),
      capacity(other.capacity) {
    std::copy(other.items, other.items + other.top, items);
}

detail::IntSlots ArrayStack::Doubled(detail::IntSlot* items, std::int32_t top, std::int32_t capacity) {
    const std::int32_t grown = detail::DoubledCapacity(capacity);
    detail::IntSlot* const fresh = detail::AllocateSlots(grown);
    std::copy(items, items + top, fresh);
    delete[] items;
    return {fresh, grown};
}

}  // namespace containers
