// Differential fuzzing of ArrayStack against std::vector. Two stacks, so that
// copies and moves between them are checked for independence; both stacks'
// counts are checked against the models after every step.

#include "FuzzSupport.h"

#include <containers/ArrayStack.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::Input in(data, size);
    std::array<containers::ArrayStack, 2> stacks;
    std::array<std::vector<std::int32_t>, 2> models;

    auto top = [](const std::vector<std::int32_t>& m) { return m.empty() ? -1 : m.back(); };

    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        const std::size_t a = op >> 7U;
        const std::size_t b = 1 - a;
        containers::ArrayStack& s = stacks[a];
        std::vector<std::int32_t>& model = models[a];
        switch (op % 8) {
            case 0:
            case 1:
            case 2: {
                const std::int32_t value = in.Value();
                s.Push(value);
                model.push_back(value);
                break;
            }
            case 3:
            case 4: {
                const std::int32_t expected = top(model);
                FUZZ_CHECK(s.Pop() == expected);
                if (!model.empty()) {
                    model.pop_back();
                }
                break;
            }
            case 5:
                FUZZ_CHECK(s.Peek() == top(model));
                break;
            case 6:
                stacks[b] = s;
                models[b] = model;
                break;
            default:
                stacks[b] = std::move(s);
                models[b] = std::move(model);
                model.clear();
                break;
        }
        for (std::size_t i = 0; i < 2; ++i) {
            FUZZ_CHECK(static_cast<std::size_t>(stacks[i].Count()) == models[i].size());
            FUZZ_CHECK(stacks[i].IsEmpty() == models[i].empty());
        }
    }
    for (std::size_t i = 0; i < 2; ++i) {
        while (!models[i].empty()) {
            FUZZ_CHECK(stacks[i].Pop() == models[i].back());
            models[i].pop_back();
        }
        FUZZ_CHECK(stacks[i].Pop() == -1);
        FUZZ_CHECK(stacks[i].Peek() == -1);
    }
    return 0;
}
