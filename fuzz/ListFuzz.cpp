// Differential fuzzing of List against a std::vector of its nodes in order,
// with the cursor and the walk rule tracked by position in the model.

#include "FuzzSupport.h"
#include "ListInvariants.h"

#include <containers/List.h>
#include <containers/ListNode.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using containers::List;
using containers::ListNode;

struct Model {
    std::vector<ListNode*> nodes;
    std::int32_t cursor = 0;  // position of the cursor; 0 when empty

    [[nodiscard]] std::int32_t Count() const { return static_cast<std::int32_t>(nodes.size()); }
    [[nodiscard]] bool Valid(std::int32_t i) const { return i >= 0 && i < Count(); }

    void Erase(std::int32_t e) {
        cursor = testsupport::CursorAfterErase(Count(), cursor, e);
        nodes.erase(nodes.begin() + e);
    }
};

// The list's own invariants, and its state against the model's.
void CheckSame(const List& list, const Model& model) {
    FUZZ_CHECK(testsupport::BrokenListInvariant(list).empty());
    FUZZ_CHECK(list.Count() == model.Count());
    if (model.nodes.empty()) {
        return;  // the invariants hold only for an empty list with no cursor
    }
    FUZZ_CHECK(list.Head() == model.nodes.front());
    FUZZ_CHECK(list.Tail() == model.nodes.back());
    FUZZ_CHECK(list.CursorIndex() == model.cursor);
    FUZZ_CHECK(list.Cursor() == model.nodes[static_cast<std::size_t>(model.cursor)]);
}

// The list's nodes in the model's order.
void CheckLinks(const List& list, const Model& model) {
    const ListNode* node = list.Head();
    for (ListNode* expected : model.nodes) {
        FUZZ_CHECK(node == expected);
        node = node->Next();
    }
}

constexpr std::int32_t kMaxNodes = 48;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::Input in(data, size);
    // Nodes are told apart by address; their data is never read.
    auto newNode = [] { return std::make_unique<ListNode>(nullptr); };

    List list;
    Model model;
    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        // Positions from just below 0 to just past the end.
        const std::int32_t position = in.Range(-2, model.Count() + 1);
        switch (op % 9) {
            case 0:
            case 1:
                if (model.Count() < kMaxNodes) {
                    ListNode* node = newNode().release();
                    FUZZ_CHECK(list.Add(node) == node);
                    if (model.nodes.empty()) {
                        model.cursor = 0;
                    }
                    model.nodes.push_back(node);
                }
                break;
            case 2:
                if (model.Count() < kMaxNodes) {
                    std::unique_ptr<ListNode> node = newNode();
                    const bool taken = list.Insert(node.get(), position);
                    FUZZ_CHECK(taken == model.Valid(position));
                    if (taken) {
                        model.nodes.insert(model.nodes.begin() + position, node.release());
                        model.cursor = position;
                    }
                }
                break;
            case 3: {
                std::unique_ptr<ListNode> node = newNode();
                const bool taken = list.Replace(node.get(), position);
                FUZZ_CHECK(taken == model.Valid(position));
                if (taken) {
                    model.nodes[static_cast<std::size_t>(position)] = node.release();
                    model.cursor = position;
                }
                break;
            }
            case 4:
                if (model.Valid(position)) {
                    list.Erase(model.nodes[static_cast<std::size_t>(position)]);
                    model.Erase(position);
                }
                break;
            case 5:
            case 6: {
                FUZZ_CHECK(list.IsValidIndex(position) == model.Valid(position));
                if (model.Valid(position)) {
                    FUZZ_CHECK(static_cast<std::int32_t>(list.ChooseWalk(position)) ==
                               testsupport::ExpectedWalk(model.Count(), model.cursor, position));
                }
                ListNode* got = list.Get(position);
                if (model.Valid(position)) {
                    FUZZ_CHECK(got == model.nodes[static_cast<std::size_t>(position)]);
                    model.cursor = position;
                } else {
                    FUZZ_CHECK(got == nullptr);
                }
                break;
            }
            case 7: {
                const std::unique_ptr<ListNode> stranger = newNode();
                FUZZ_CHECK(!list.Contains(stranger.get()));
                if (model.Valid(position)) {
                    FUZZ_CHECK(list.Contains(model.nodes[static_cast<std::size_t>(position)]));
                }
                break;
            }
            default:
                if (op % 5 == 0) {
                    list.Clear();
                    model.nodes.clear();
                    model.cursor = 0;
                }
                CheckLinks(list, model);
                break;
        }
        CheckSame(list, model);
    }
    CheckLinks(list, model);
    return 0;
}
