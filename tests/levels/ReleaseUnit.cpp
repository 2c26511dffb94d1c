// Compiled at -O0 with NDEBUG, so the headers choose no checks; see LevelsTest.cpp.

#include <containers/HashTable.h>

#include <cstdint>

int ReleaseUnitLevel() { return CONTAINERS_HARDENING; }

containers::HashEntry* ReleaseUnitSlot(const containers::HashTable& table, std::uint32_t index) {
    return table.Slot(index);
}
