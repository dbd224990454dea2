#include "stats/store/call_chains.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace stats {
namespace {

// Facts at the edges of what packs beside an id, and beyond them.
TEST(CallChainsTest, ChainsFollowInsertsAndErasuresInOrder) {
  const CallFacts facts[] = {
      {0, 0, -1},       {1, 4, 0},  {2, 30, 1439}, {0xFFFE, 1, 600},
      {0xFFFF, 1, 600}, {3, 31, 5}, {3, -1, 5},    {UINT32_MAX, INT32_MAX, 0}};
  auto packs = [](const CallFacts& f) { return f.mode < 0xFFFF && f.tour >= 0 && f.tour <= 30; };
  std::mt19937 random(3);
  CallChains chains;
  std::map<std::pair<uint32_t, uint32_t>, std::vector<std::pair<uint32_t, std::size_t>>> model;
  for (uint32_t id = 0; id < 6000; ++id) {
    const auto place = std::make_pair(uint32_t(random() % 3), uint32_t(random() % 30));
    const std::size_t fact = random() % std::size(facts);
    std::vector<std::pair<uint32_t, std::size_t>>& chain = model[place];
    if (chain.empty() || random() % 5 < 3) {
      chains.Insert(id, place.first, place.second, facts[fact]);
      chain.emplace_back(id, fact);
    } else {
      const std::size_t at = random() % chain.size();
      chains.Erase(chains.Find(place.first, place.second), chain[at].first);
      chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(at));
    }
    if (random() % 1000 == 0) {
      chains.Clear();
      model.clear();
    }
    for (const auto& [key, expected] : model) {
      const uint32_t number = chains.Find(key.first, key.second);
      if (expected.empty()) {
        ASSERT_EQ(number, CallChains::kNone);
        continue;
      }
      ASSERT_NE(number, CallChains::kNone);
      const std::vector<CallChains::Entry>& entries = chains.Entries(number);
      ASSERT_EQ(entries.size(), expected.size());
      for (std::size_t i = 0; i < entries.size(); ++i) {
        const CallFacts& want = facts[expected[i].second];
        CallFacts got;
        ASSERT_EQ(entries[i].Id(), expected[i].first);
        ASSERT_EQ(entries[i].Facts(&got), packs(want)) << "facts " << expected[i].second;
        if (!packs(want)) continue;
        ASSERT_EQ(std::make_tuple(got.mode, got.tour, got.minuteOfDay),
                  std::make_tuple(want.mode, want.tour, want.minuteOfDay));
      }
    }
  }
}

}  // namespace
}  // namespace stats
