// One program of a Debug unit and a Release unit that both call a checked
// inline member (HashTable::Slot), built twice, each unit's object first in
// one of them. Each keeps its own copy of the member; were there one, the
// linker would keep whichever came first, and in one of the programs the
// Debug unit's broken contract would pass unchecked.

#include <containers/HashTable.h>

#include <gtest/gtest.h>

#include <cstdint>

int DebugUnitLevel();
int ReleaseUnitLevel();
containers::HashEntry* DebugUnitSlot(const containers::HashTable& table, std::uint32_t index);
containers::HashEntry* ReleaseUnitSlot(const containers::HashTable& table, std::uint32_t index);

namespace {

TEST(HardeningLevelsDeathTest, EachUnitRunsTheLevelItChose) {
    ASSERT_EQ(DebugUnitLevel(), CONTAINERS_HARDENING_FAST);
    ASSERT_EQ(ReleaseUnitLevel(), CONTAINERS_HARDENING_NONE);
    const containers::HashTable table(4);
    EXPECT_EQ(ReleaseUnitSlot(table, 3), nullptr);
    EXPECT_DEATH(static_cast<void>(DebugUnitSlot(table, 4)),
                 "^containers::HashTable::Slot: the index is not below the capacity\n");
}

}  // namespace
