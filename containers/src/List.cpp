#include <containers/List.h>

#include <utility>

namespace containers {

List::List(List&& other) noexcept
    : head(std::exchange(other.head, nullptr)),
      tail(std::exchange(other.tail, nullptr)),
      cursor(std::exchange(other.cursor, nullptr)),
      count(std::exchange(other.count, 0)),
      cursorIndex(std::exchange(other.cursorIndex, 0)) {}

List& List::operator=(List&& other) noexcept {
    if (this != &other) {
        Clear();
        head = std::exchange(other.head, nullptr);
        tail = std::exchange(other.tail, nullptr);
        cursor = std::exchange(other.cursor, nullptr);
        count = std::exchange(other.count, 0);
        cursorIndex = std::exchange(other.cursorIndex, 0);
    }
    return *this;
}

void List::Clear() noexcept {
    ListNode* node = head;
    while (node != nullptr) {
        ListNode* const next = node->Next();
        delete node;
        node = next;
    }
    Reset();
}

bool List::Contains(const ListNode* node) const noexcept {
    const ListNode* current = head;
    for (std::int32_t i = 0; i < count; ++i, current = current->Next()) {
        if (current == node) {
            return true;
        }
    }
    return false;
}

}  // namespace containers
