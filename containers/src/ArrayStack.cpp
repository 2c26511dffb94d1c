#include <containers/ArrayStack.h>

#include <algorithm>
#include <utility>

namespace containers {

ArrayStack::ArrayStack(const ArrayStack& other)
    : items(other.capacity > 0 ? detail::AllocateSlots(other.capacity, "containers::ArrayStack::ArrayStack")
                               : nullptr),
      top(other.top),
      capacity(other.capacity) {
    std::copy(other.items, other.items + other.top, items);
}

ArrayStack::ArrayStack(ArrayStack&& other) noexcept
    : items(std::exchange(other.items, nullptr)),
      top(std::exchange(other.top, 0)),
      capacity(std::exchange(other.capacity, 0)) {}

ArrayStack& ArrayStack::operator=(ArrayStack other) noexcept {
    Swap(other);
    return *this;
}

void ArrayStack::Swap(ArrayStack& other) noexcept {
    std::swap(items, other.items);
    std::swap(top, other.top);
    std::swap(capacity, other.capacity);
}

detail::IntSlots ArrayStack::Doubled(detail::IntSlot* items, std::int32_t top, std::int32_t capacity) {
    const std::int32_t grown = detail::DoubledCapacity(capacity, "containers::ArrayStack::Push");
    detail::IntSlot* const fresh = detail::AllocateSlots(grown, "containers::ArrayStack::Push");
    std::copy(items, items + top, fresh);
    delete[] items;
    return {fresh, grown};
}

}  // namespace containers
