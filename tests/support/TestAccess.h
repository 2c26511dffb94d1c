#pragma once

// Read and write access to the containers' private fields, for tests that
// observe growth and the contents of vacated slots, or need a list at its
// count limit.

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/List.h>

#include <cstdint>
#include <vector>

namespace containers {

class TestAccess {
public:
    // Everything observable about a stack or a queue, plus its array's address.
    struct State {
        const void* items;
        std::int32_t count;
        std::int32_t capacity;
        std::int32_t head;
        std::int32_t tail;
        std::vector<std::int32_t> live;  // the items held, oldest (or bottom) first

        bool operator==(const State& o) const {
            return items == o.items && count == o.count && capacity == o.capacity && head == o.head &&
                   tail == o.tail && live == o.live;
        }
    };

    static State Of(const ArrayStack& s) {
        State state{s.items, s.top, s.capacity, 0, s.top - 1, {}};
        for (std::int32_t i = 0; i < s.top; ++i) {
            state.live.push_back(s.items[i].value);
        }
        return state;
    }
    static State Of(const CircularQueue& q) {
        State state{q.items, q.count, q.capacity, q.head, q.tail, {}};
        for (std::int32_t i = 0; i < q.count; ++i) {
            state.live.push_back(q.items[(q.head + i) % q.capacity].value);
        }
        return state;
    }

    static std::int32_t Capacity(const ArrayStack& s) { return s.capacity; }
    static std::int32_t Capacity(const CircularQueue& q) { return q.capacity; }

    static std::int32_t Slot(const ArrayStack& s, std::int32_t index) { return s.items[index].value; }
    static std::int32_t Slot(const CircularQueue& q, std::int32_t index) { return q.items[index].value; }

    // Makes the container believe it is full at `capacity` slots without
    // allocating them, so that the next insertion must grow from there. Only
    // for growths that are expected to fail before copying anything.
    static void PretendFull(ArrayStack& s, std::int32_t capacity) { s.top = s.capacity = capacity; }
    static void PretendFull(CircularQueue& q, std::int32_t capacity) {
        q.count = q.capacity = capacity;
        q.head = 0;
        q.tail = capacity - 1;
    }

    // Makes the list believe it holds `count` nodes. Only for operations
    // that are expected to stop the program before they walk the list.
    static void PretendCount(List& list, std::int32_t count) { list.count = count; }
};

}  // namespace containers
