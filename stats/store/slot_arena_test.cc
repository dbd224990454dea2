#include "stats/store/slot_arena.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace stats {
namespace {

TEST(SlotArenaTest, HandsOutFreedIdsFirstAndKeepsAddresses) {
  SlotArena<int> slots;
  std::vector<uint32_t> ids;
  for (int i = 0; i < 3000; ++i) ids.push_back(slots.New());
  int* kept = &slots[2999];
  slots.Free(17);
  slots.Free(2048);
  EXPECT_EQ(slots.New(), 2048u);
  EXPECT_EQ(slots.New(), 17u);
  EXPECT_EQ(slots.New(), 3000u);
  EXPECT_EQ(slots.Limit(), 3001u);
  EXPECT_EQ(&slots[2999], kept) << "slots never move";
  slots.Clear();
  EXPECT_EQ(slots.New(), 0u);
  EXPECT_EQ(&slots[2999], kept) << "Clear keeps the chunks";
}

}  // namespace
}  // namespace stats
