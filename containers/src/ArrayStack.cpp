#include <containers/ArrayStack.h>

#include "IntArray.h"

#include <algorithm>

namespace containers {

ArrayStack::ArrayStack() : items(detail::AllocateInts(2)), capacity(2) {}

ArrayStack::ArrayStack(const ArrayStack& other)
    : items(other.capacity > 0 ? detail::AllocateInts(other.capacity) : nullptr),
      top(other.top),
      capacity(other.capacity) {
    std::copy(other.items, other.items + other.top, items);
}

void ArrayStack::Grow() {
    const std::int32_t grown = detail::DoubledCapacity(capacity);
    std::int32_t* const fresh = detail::AllocateInts(grown);
    std::copy(items, items + top, fresh);
    delete[] items;
    items = fresh;
    capacity = grown;
}

}  // namespace containers
