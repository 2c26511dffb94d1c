#pragma once

// The integer arrays behind ArrayStack and CircularQueue: their slot type and
// how they are allocated and grown.

#include <containers/detail/Failure.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

namespace containers::detail {

// One slot of the integer arrays.
//
// The integer is wrapped in a struct of its own so that the compiler can tell
// a store into a slot from a store to the containers' counts, which are
// integers too. Without it every Push or Enqueue would have to reload the
// counts from memory after writing its value; with it they stay in registers
// across a run of operations.
struct IntSlot {
    std::int32_t value;
};

// An array and its length in slots, as a growth hands them back.
//
// Growth takes and returns values rather than a container's `this`, and the
// stack's and the queue's constructors are inline, so that no call outside
// the caller's code sees a container whose address is never taken (a local,
// as in most code): the compiler can then keep its fields in registers
// across a run of operations instead of storing and reloading them around
// every call.
struct IntSlots {
    IntSlot* items;
    std::int32_t capacity;
};

// The capacity that a growth from `capacity` slots leads to: twice as many,
// or 2 for an array-less (moved-from) container. Out of memory (see
// OutOfMemory) in `operation` when that count would not fit a signed 32-bit
// integer.
inline std::int32_t DoubledCapacity(std::int32_t capacity, const char* operation) {
    if (capacity == 0) {
        return 2;
    }
    if (capacity > (std::numeric_limits<std::int32_t>::max)() / 2) {
        OutOfMemory(operation);
    }
    return capacity * 2;
}

// A new array of `slots` uninitialised slots for `operation`. Out of memory
// (see OutOfMemory) when it cannot be allocated, also when its size in bytes
// does not fit the address space, rather than allocating less.
inline IntSlot* AllocateSlots(std::int32_t slots, const char* operation) {
    if (static_cast<std::size_t>(slots) > (std::numeric_limits<std::size_t>::max)() / sizeof(IntSlot)) {
        OutOfMemory(operation);
    }
    IntSlot* const items = new (std::nothrow) IntSlot[static_cast<std::size_t>(slots)];
    if (items == nullptr) {
        OutOfMemory(operation);
    }
    return items;
}

}  // namespace containers::detail
