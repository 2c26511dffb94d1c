// Differential fuzzing of CircularQueue against std::deque. Two queues, so
// that copies and moves between them are checked for independence.

#include "FuzzSupport.h"

#include <containers/CircularQueue.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::Input in(data, size);
    std::array<containers::CircularQueue, 2> queues;
    std::array<std::deque<std::int32_t>, 2> models;

    auto front = [](const std::deque<std::int32_t>& m) { return m.empty() ? -1 : m.front(); };

    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        const std::size_t a = op >> 7U;
        const std::size_t b = 1 - a;
        containers::CircularQueue& q = queues[a];
        std::deque<std::int32_t>& model = models[a];
        switch (op % 8) {
            case 0:
            case 1:
            case 2: {
                const std::int32_t value = in.Value();
                q.Enqueue(value);
                model.push_back(value);
                break;
            }
            case 3:
            case 4: {
                const std::int32_t expected = front(model);
                FUZZ_CHECK(q.Dequeue() == expected);
                if (!model.empty()) {
                    model.pop_front();
                }
                break;
            }
            case 5:
                FUZZ_CHECK(q.Peek() == front(model));
                break;
            case 6:
                queues[b] = q;
                models[b] = model;
                break;
            default:
                queues[b] = std::move(q);
                models[b] = std::move(model);
                model.clear();
                break;
        }
    }
    for (std::size_t i = 0; i < 2; ++i) {
        while (!models[i].empty()) {
            FUZZ_CHECK(queues[i].Dequeue() == models[i].front());
            models[i].pop_front();
        }
        FUZZ_CHECK(queues[i].Dequeue() == -1);
        FUZZ_CHECK(queues[i].Peek() == -1);
    }
    return 0;
}
