#include "stats/store/hash_slots.h"

#include <cstdint>
#include <random>
#include <utility>

#include <gtest/gtest.h>

namespace stats {
namespace {

// Hashes from a small range crowd the runs of linear probing, wrap around
// the end of the table and share values, which deletion must survive.
TEST(HashSlotsTest, FindsEveryFiledValueThroughCrowdedRuns) {
  for (uint32_t hashRange : {3u, 40u, 1000u}) {
    std::mt19937 random(hashRange);
    HashSlots slots;
    std::multiset<std::pair<uint32_t, uint32_t>> model;  // (hash, value)
    for (int step = 0; step < 6000; ++step) {
      const uint32_t hash = random() % hashRange * 0x9E3779B1u;
      if (model.empty() || random() % 5 < 3) {
        const uint32_t value = random() % 500;
        slots.Insert(hash, value);
        model.insert({hash, value});
      } else {
        auto victim = model.begin();
        std::advance(victim, random() % model.size());
        slots.Erase(victim->first, victim->second);
        model.erase(victim);
      }
      ASSERT_EQ(slots.Count(), model.size());
      std::multiset<uint32_t> seen, expected;
      slots.Any(hash, [&](uint32_t value) {
        seen.insert(value);
        return false;
      });
      for (auto it = model.lower_bound({hash, 0}); it != model.end() && it->first == hash; ++it) {
        expected.insert(it->second);
      }
      ASSERT_EQ(seen, expected) << "range " << hashRange << " step " << step;
    }
    slots.Clear();
    EXPECT_FALSE(slots.Any(0, [](uint32_t) { return true; }));
  }
}

}  // namespace
}  // namespace stats
