#pragma once

// Read and write access to the containers' private fields, for tests that
// observe growth and the contents of vacated slots, or need a list at its
// count limit.

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/List.h>

#include <cstdint>
#include <vector>

namespace testsupport {
// Local to each test file: the explicit instantiations below may appear only
// once in a program for each type, and each file gets types of its own.
namespace {  // NOLINT(cert-dcl59-cpp,google-build-namespaces)

using containers::ArrayStack;
using containers::CircularQueue;
using containers::List;

// Private members, reached without any friend declaration in the installed
// headers: the language checks no access in an explicit instantiation, so
// instantiating Expose with a member's address hands that address to MemberOf.
template <typename Tag, typename Tag::Type Member>
struct Expose {
    friend typename Tag::Type MemberOf(Tag) { return Member; }
};
#define CONTAINERS_TEST_EXPOSE(Tag, Class, Field, FieldType) \
    struct Tag {                                             \
        using Type = FieldType containers::Class::*;         \
        friend Type MemberOf(Tag);                           \
    };                                                       \
    template struct Expose<Tag, &containers::Class::Field>
CONTAINERS_TEST_EXPOSE(StackItems, ArrayStack, items, containers::detail::IntSlot*);
CONTAINERS_TEST_EXPOSE(StackTop, ArrayStack, top, std::int32_t);
CONTAINERS_TEST_EXPOSE(StackCapacity, ArrayStack, capacity, std::int32_t);
CONTAINERS_TEST_EXPOSE(QueueItems, CircularQueue, items, containers::detail::IntSlot*);
CONTAINERS_TEST_EXPOSE(QueueCount, CircularQueue, count, std::int32_t);
CONTAINERS_TEST_EXPOSE(QueueCapacity, CircularQueue, capacity, std::int32_t);
CONTAINERS_TEST_EXPOSE(QueueHead, CircularQueue, head, std::int32_t);
CONTAINERS_TEST_EXPOSE(QueueTail, CircularQueue, tail, std::int32_t);
CONTAINERS_TEST_EXPOSE(ListCount, List, count, std::int32_t);
#undef CONTAINERS_TEST_EXPOSE

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
        const containers::detail::IntSlot* items = s.*MemberOf(StackItems{});
        const std::int32_t top = s.*MemberOf(StackTop{});
        State state{items, top, Capacity(s), 0, top - 1, {}};
        for (std::int32_t i = 0; i < top; ++i) {
            state.live.push_back(items[i].value);
        }
        return state;
    }
    static State Of(const CircularQueue& q) {
        const containers::detail::IntSlot* items = q.*MemberOf(QueueItems{});
        const std::int32_t count = q.*MemberOf(QueueCount{});
        const std::int32_t head = q.*MemberOf(QueueHead{});
        State state{items, count, Capacity(q), head, q.*MemberOf(QueueTail{}), {}};
        for (std::int32_t i = 0; i < count; ++i) {
            state.live.push_back(items[(head + i) % state.capacity].value);
        }
        return state;
    }

    static std::int32_t Capacity(const ArrayStack& s) { return s.*MemberOf(StackCapacity{}); }
    static std::int32_t Capacity(const CircularQueue& q) { return q.*MemberOf(QueueCapacity{}); }

    static std::int32_t Slot(const ArrayStack& s, std::int32_t index) {
        return (s.*MemberOf(StackItems{}))[index].value;
    }
    static std::int32_t Slot(const CircularQueue& q, std::int32_t index) {
        return (q.*MemberOf(QueueItems{}))[index].value;
    }

    // Makes the container believe it is full at `capacity` slots without
    // allocating them, so that the next insertion must grow from there. Only
    // for growths that are expected to fail before copying anything.
    static void PretendFull(ArrayStack& s, std::int32_t capacity) {
        s.*MemberOf(StackTop{}) = s.*MemberOf(StackCapacity{}) = capacity;
    }
    static void PretendFull(CircularQueue& q, std::int32_t capacity) {
        q.*MemberOf(QueueCount{}) = q.*MemberOf(QueueCapacity{}) = capacity;
        q.*MemberOf(QueueHead{}) = 0;
        q.*MemberOf(QueueTail{}) = capacity - 1;
    }

    // Makes the list believe it holds `count` nodes. Only for operations
    // that are expected to stop the program before they walk the list.
    static void PretendCount(List& list, std::int32_t count) { list.*MemberOf(ListCount{}) = count; }
};

}  // namespace
}  // namespace testsupport
