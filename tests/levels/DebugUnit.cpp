// Compiled at -O0 without NDEBUG, so the headers choose the fast level; see LevelsTest.cpp.

#include <containers/HashTable.h>

#include <cstdint>

int DebugUnitLevel() { return CONTAINERS_HARDENING; }

containers::HashEntry* DebugUnitSlot(const containers::HashTable& table, std::uint32_t index) {
    return table.Slot(index);
}
