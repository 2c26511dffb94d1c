#pragma once

// Allocation of the integer arrays behind ArrayStack and CircularQueue.

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

// A new array of `slots` uninitialised integers. Throws std::bad_alloc when its
// size in bytes does not fit the address space, rather than allocating less.
inline std::int32_t* AllocateInts(std::int32_t slots) {
    if (static_cast<std::size_t>(slots) > std::numeric_limits<std::size_t>::max() / sizeof(std::int32_t)) {
        throw std::bad_alloc();
    }
    return new std::int32_t[static_cast<std::size_t>(slots)];
}

}  // namespace containers::detail
