#include <demo/Demos.h>

#include "ZeroToNine.h"

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>

#include <array>
#include <cstdint>
#include <cstdio>

namespace demo {

using detail::ZeroToNine;

void RunStackDemo() {
    const std::array<std::int32_t, 10> testInts = ZeroToNine();
    containers::ArrayStack s;
    for (const std::size_t i : {0, 1, 3, 4}) {
        s.Push(testInts[i]);
    }
    for (int n = 0; n < 5; ++n) {
        std::printf("stack: %i\n", s.Pop());
    }
}

void RunQueueDemo() {
    const std::array<std::int32_t, 10> testInts = ZeroToNine();
    containers::CircularQueue s;
    for (std::size_t i = 0; i <= 4; ++i) {
        s.Enqueue(testInts[i]);
    }
    for (int n = 0; n < 3; ++n) {
        std::printf("stack: %i\n", s.Dequeue());
    }
    for (std::size_t i = 5; i <= 7; ++i) {
        s.Enqueue(testInts[i]);
    }
    for (int n = 0; n < 5; ++n) {
        std::printf("stack: %i\n", s.Dequeue());
    }
}

}  // namespace demo
