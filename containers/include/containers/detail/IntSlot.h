#pragma once

#include <cstdint>

namespace containers::detail {

// One slot of the integer arrays of ArrayStack and CircularQueue.
//
// The integer is wrapped in a struct of its own so that the compiler can tell
// a store into a slot from a store to the containers' counts, which are
// integers too. Without it every Push or Enqueue would have to reload the
// counts from memory after writing its value; with it they stay in registers
// across a run of operations.
struct IntSlot {
    std::int32_t value;
};

}  // namespace containers::detail
