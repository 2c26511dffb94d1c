// Uses each container once and prints what comes out.

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/HashEntry.h>
#include <containers/HashTable.h>
#include <containers/List.h>
#include <containers/ListNode.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

int main() {
    std::int32_t values[] = {10, 20, 30};

    containers::List list;
    for (std::int32_t& value : values) {
        list.Add(new containers::ListNode(&value));  // the list owns its nodes
    }
    std::printf("list: %i nodes, middle %i\n", list.Count(), *list.Get(1)->Data());

    containers::ArrayStack stack;
    stack.Push(1);
    stack.Push(2);
    const std::int32_t top = stack.Pop();
    std::printf("stack: %i then %i\n", top, stack.Pop());

    containers::CircularQueue queue;
    queue.Enqueue(1);
    queue.Enqueue(2);
    const std::int32_t first = queue.Dequeue();
    std::printf("queue: %i then %i\n", first, queue.Dequeue());

    // The table points at entries that the caller owns.
    const auto apple = std::make_unique<containers::HashEntry>(7, "apple");
    containers::HashTable table(8);
    table.Insert(apple.get());
    const std::string_view pear = "pear";  // looked up where it is, without a copy
    std::printf("table: apple is %i, pear %s\n", table.Find("apple")->Value(),
                table.Find(pear) == nullptr ? "absent" : "present");
    return 0;
}
