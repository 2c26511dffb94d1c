#include <demo/Demos.h>

#include "ZeroToNine.h"

#include <containers/List.h>
#include <containers/ListNode.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace demo {

namespace {

using containers::List;
using containers::ListNode;

std::unique_ptr<ListNode> NewNode(std::int32_t& value) { return std::make_unique<ListNode>(&value); }

// Gives up ownership of a node that the list has taken.
void Settle(bool taken, std::unique_ptr<ListNode>& node) {
    if (taken) {
        static_cast<void>(node.release());
    }
}

void PrintHeader(const List& list, const char* headLine) {
    std::printf("\n###Printing Count: %i\n", list.Count());
    std::printf("%s", headLine);
}

// Reads each position in turn through Get.
void PrintByPosition(List& list, const char* headLine) {
    PrintHeader(list, headLine);
    for (std::int32_t j = 0; j < list.Count(); ++j) {
        std::printf("index(%i): %i\n", j, *list.Get(j)->Data());
    }
}

// Follows the links from the head, for as many nodes as the list counts.
void PrintByLinks(const List& list, const char* headLine) {
    PrintHeader(list, headLine);
    const ListNode* node = list.Head();
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        std::printf("index(%i): %i\n", i, *node->Data());
        node = node->Next();
    }
}

}  // namespace

void RunListDemo() {
    List list;
    std::array<std::int32_t, 10> testInts = detail::ZeroToNine();

    for (int n = 0; n < 10000; ++n) {
        list.Add(NewNode(testInts[0]).release());
    }
    list.Clear();

    for (int n = 0; n < 5; ++n) {
        list.Add(NewNode(testInts[1]).release());
    }
    PrintByPosition(list, "###Printing Get()\n");

    // Each node is created before the position is read; a node that the list
    // refuses (the Insert at Count()) stays in its unique_ptr and is deleted.
    std::unique_ptr<ListNode> node = NewNode(testInts[3]);
    Settle(list.Insert(node.get(), 0), node);
    node = NewNode(testInts[3]);
    Settle(list.Insert(node.get(), 1), node);
    node = NewNode(testInts[5]);
    Settle(list.Insert(node.get(), list.Count()), node);
    node = NewNode(testInts[4]);
    Settle(list.Insert(node.get(), list.Count() - 1), node);
    PrintByLinks(list, "###Printing Next()\n");

    list.Erase(list.Head());
    list.Erase(list.Tail());
    PrintByLinks(list, "###Printing Erase()\n");

    node = NewNode(testInts[5]);
    Settle(list.Replace(node.get(), 1), node);
    PrintByLinks(list, "###Printing Replace()\n");

    list.Clear();
    PrintByLinks(list, "###Printing Clear()\n");
}

}  // namespace demo
