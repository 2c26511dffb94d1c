// Differential fuzzing of CircularQueue against a model queue. Two queues, so
// that copies and moves between them are checked for independence; both
// queues' counts are checked against the models after every step.

#include "FuzzSupport.h"

#include <containers/CircularQueue.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The model: a vector and the index of its oldest item. A std::deque would do
// the same, but its iterators' comparisons, each traced by the fuzzer, made
// this target the slowest of the four.
class ModelQueue {
public:
    void Push(std::int32_t value) { items.push_back(value); }
    // The oldest item, removed; -1 when empty.
    std::int32_t Pop() {
        if (Empty()) {
            return -1;
        }
        const std::int32_t value = items[head++];
        if (head == items.size()) {
            Clear();
        }
        return value;
    }
    [[nodiscard]] std::int32_t Front() const { return Empty() ? -1 : items[head]; }
    [[nodiscard]] bool Empty() const { return head == items.size(); }
    [[nodiscard]] std::size_t Size() const { return items.size() - head; }
    void Clear() {
        items.clear();
        head = 0;
    }

private:
    std::vector<std::int32_t> items;
    std::size_t head = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::Input in(data, size);
    std::array<containers::CircularQueue, 2> queues;
    std::array<ModelQueue, 2> models;

    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        const std::size_t a = op >> 7U;
        const std::size_t b = 1 - a;
        containers::CircularQueue& q = queues[a];
        ModelQueue& model = models[a];
        switch (op % 8) {
            case 0:
            case 1:
            case 2: {
                const std::int32_t value = in.Value();
                q.Enqueue(value);
                model.Push(value);
                break;
            }
            case 3:
            case 4:
                FUZZ_CHECK(q.Dequeue() == model.Pop());
                break;
            case 5:
                FUZZ_CHECK(q.Peek() == model.Front());
                break;
            case 6:
                queues[b] = q;
                models[b] = model;
                break;
            default:
                queues[b] = std::move(q);
                models[b] = std::move(model);
                model.Clear();
                break;
        }
        for (std::size_t i = 0; i < 2; ++i) {
            FUZZ_CHECK(static_cast<std::size_t>(queues[i].Count()) == models[i].Size());
            FUZZ_CHECK(queues[i].IsEmpty() == models[i].Empty());
        }
    }
    for (std::size_t i = 0; i < 2; ++i) {
        while (!models[i].Empty()) {
            FUZZ_CHECK(queues[i].Dequeue() == models[i].Pop());
        }
        FUZZ_CHECK(queues[i].Dequeue() == -1);
        FUZZ_CHECK(queues[i].Peek() == -1);
    }
    return 0;
}
