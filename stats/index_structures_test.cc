// The containers under the store's indexes, each against a plain model
// under random operations.

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "stats/band_list.h"
#include "stats/call_chains.h"
#include "stats/hash_slots.h"
#include "stats/id_sequence.h"
#include "stats/key_numbers.h"
#include "stats/slot_arena.h"
#include "stats/store_order.h"
#include "stats/text_pool.h"

namespace stats {
namespace {

struct EraseCase {
  const char* name;
  unsigned frontPercent;  // share of erasures taken near the front
};

class IdSequenceTest : public ::testing::TestWithParam<EraseCase> {};

TEST_P(IdSequenceTest, KeepsOrderWhereverIdsAreErased) {
  std::mt19937 random(11);
  IdSequence ids;
  std::vector<uint32_t> model;
  for (uint32_t step = 0; step < 20000; ++step) {
    if (model.empty() || random() % 3 != 0) {
      ids.push_back(step);
      model.push_back(step);
    } else {
      const std::size_t span = std::min<std::size_t>(model.size(), 4);
      const std::size_t at =
          random() % 100 < GetParam().frontPercent ? random() % span : random() % model.size();
      ids.erase(at);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    }
    ASSERT_EQ(ids.size(), model.size());
    if (step % 97 == 0) {
      ASSERT_TRUE(std::equal(ids.begin(), ids.end(), model.begin(), model.end()));
    }
  }
  ASSERT_TRUE(std::equal(ids.begin(), ids.end(), model.begin(), model.end()));
  for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(ids[i], model[i]);
}

INSTANTIATE_TEST_SUITE_P(Mixes, IdSequenceTest,
                         ::testing::Values(EraseCase{"Anywhere", 0}, EraseCase{"MostlyFront", 90},
                                           EraseCase{"OnlyFront", 100}),
                         [](const ::testing::TestParamInfo<EraseCase>& info) {
                           return info.param.name;
                         });

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

// Sequence numbers kept by id, as the store keeps them in its slots; a
// small limit makes the order number its records again now and then.
TEST(StoreOrderTest, FindsEveryPositionThroughErasuresAndRenumbering) {
  for (uint32_t seqLimit : {UINT32_MAX, 40u, 5u}) {
    std::mt19937 random(seqLimit);
    StoreOrder order(seqLimit);
    std::vector<uint32_t> seqs(4000), model;
    auto seqOf = [&](uint32_t id) -> uint32_t& { return seqs[id]; };
    for (uint32_t id = 0; id < seqs.size(); ++id) {
      if (model.empty() || random() % 3 != 0) {
        order.Append(id, seqOf);
        model.push_back(id);
      } else {
        const std::size_t at = random() % model.size();
        order.Erase(at);
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
      }
      if (random() % 500 == 0) {
        order.Clear();
        model.clear();
      }
      ASSERT_EQ(order.Count(), model.size());
      for (std::size_t i = 0; i < model.size(); i += 1 + model.size() / 16) {
        ASSERT_EQ(order[i], model[i]);
        ASSERT_EQ(order.PositionOf(model[i], seqOf), i) << "limit " << seqLimit << " id " << id;
      }
    }
  }
}

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

TEST(KeyNumbersTest, NumbersFollowTheKeysInUse) {
  std::mt19937 random(5);
  KeyNumbers numbers;
  std::map<uint64_t, std::pair<uint32_t, int>> model;  // key -> number, holders
  const std::vector<uint64_t> texts = {0,
                                       1,
                                       2,
                                       KeyNumbers::Pair(1, 0),
                                       KeyNumbers::Pair(0, 1),
                                       KeyNumbers::Pair(1, 1),
                                       KeyNumbers::Pair(2, 1),
                                       UINT64_MAX,
                                       uint64_t{1} << 63,
                                       KeyNumbers::Pair(7, 7)};
  for (int step = 0; step < 5000; ++step) {
    const uint64_t text = texts[random() % texts.size()];
    auto it = model.find(text);
    if (it == model.end() || random() % 2 == 0) {
      const uint32_t number = numbers.Acquire(text);
      if (it != model.end()) {
        ASSERT_EQ(number, it->second.first);
        ++it->second.second;
      } else {
        for (const auto& other : model) ASSERT_NE(other.second.first, number);
        model[text] = {number, 1};
      }
      ASSERT_LT(number, numbers.Limit());
    } else {
      numbers.Release(it->second.first);
      if (--it->second.second == 0) model.erase(it);
    }
    for (const uint64_t t : texts) {
      auto held = model.find(t);
      ASSERT_EQ(numbers.Find(t), held == model.end() ? KeyNumbers::kNone : held->second.first);
    }
  }
  EXPECT_LE(numbers.Limit(), texts.size()) << "free numbers are used again";
}

// Every length up to past two words, each byte changed in turn (also to a
// byte above 127), and texts that are prefixes of each other.
TEST(SameBytesTest, TellsApartTextsThatDifferInAnyOneByte) {
  for (std::size_t n = 0; n <= 20; ++n) {
    const std::string a(n, 'A');
    ASSERT_TRUE(SameBytes(a, std::string(n, 'A'))) << n;
    ASSERT_FALSE(SameBytes(a, std::string(n + 1, 'A'))) << n;
    for (std::size_t i = 0; i < n; ++i) {
      for (char other : {'B', '\xC4', 'a'}) {
        std::string b = a;
        b[i] = other;
        ASSERT_FALSE(SameBytes(a, b)) << n << " " << i;
        ASSERT_FALSE(SameBytes(b, a)) << n << " " << i;
      }
    }
  }
}

TEST(BandListTest, ManyLabelsStayDistinctAndInOrder) {
  BandList bands;
  std::vector<std::string> expected;
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 20; ++i) {
      const std::string label = std::to_string(160 - 7 * i) + (i % 2 ? "m" : "M");
      bands.AddIfNew(label);
      if (round == 0) expected.push_back(label);
    }
  }
  ASSERT_EQ(bands.Count(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(bands.At(i), expected[i]);
  EXPECT_TRUE(bands.Contains("160M"));
  EXPECT_FALSE(bands.Contains("160m"));
  bands.Swap(0, 19);
  EXPECT_TRUE(bands.Contains("160M"));
  bands.Clear();
  EXPECT_FALSE(bands.Contains("160M"));
  bands.AddIfNew("160M");
  EXPECT_EQ(bands.Count(), 1u);
}

}  // namespace
}  // namespace stats
