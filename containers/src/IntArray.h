#pragma once

// Allocation of the integer arrays behind ArrayStack and CircularQueue.

#include <containers/detail/IntSlot.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

namespace containers::detail {

// The capacity that a growth from `capacity` slots leads to: twice as many,
// or 2 for an array-less (moved-from) container. Throws std::bad_alloc when
// that count would not fit a signed 32-bit integer.
inline std::int32_t DoubledCapacity(std::int32_t capacity) {
    if (capacity == 0) {
        return 2;
    }
    if (capacity > std::numeric_limits<std::int32_t>::max() / 2) {
        throw std::bad_alloc();
    }
    return capacity * 2;
}

// A new array of `slots` uninitialised slots. Throws std::bad_alloc when its
// size in bytes does not fit the address space, rather than allocating less.
inline IntSlot* AllocateSlots(std::int32_t slots) {
    if (static_cast<std::size_t>(slots) > std::numeric_limits<std::size_t>::max() / sizeof(IntSlot)) {
        throw std::bad_alloc();
    }
    return new IntSlot[static_cast<std::size_t>(slots)];
}

}  // namespace containers::detail
