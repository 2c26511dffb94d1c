#include <containers/ArrayStack.h>

#include "IntArray.h"

#include <algorithm>

namespace containers {

ArrayStack::ArrayStack() : items(detail::AllocateSlots(2)), capacity(2) {}

ArrayStack::ArrayStack(const ArrayStack& other)
    : items(other.capacity > 0 ? detail::AllocateSlots(other.capacity) : nullptr),
      top(other.top),
      capacity(other.capacity) {
    std::copy(other.items, other.items + other.top, items);
}

void ArrayStack::Grow() {
    const std::int32_t grown = detail::DoubledCapacity(capacity);
    detail::IntSlot* const fresh = detail::AllocateSlots(grown);
    std::copy(items, items + top, fresh);
    delete[] items;
    items = fresh;
    capacity = grown;
}

}  // namespace containers
