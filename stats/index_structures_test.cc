// The containers under the store's indexes, each against a plain model
// under random operations.

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "stats/band_list.h"
#include "stats/hash_slots.h"
#include "stats/id_sequence.h"
#include "stats/key_numbers.h"
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
      const std::size_t at = random() % 100 < GetParam().frontPercent
                                 ? random() % span
                                 : random() % model.size();
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

TEST(KeyNumbersTest, NumbersFollowTheKeysInUse) {
  std::mt19937 random(5);
  KeyNumbers numbers;
  std::map<uint64_t, std::pair<uint32_t, int>> model;  // key -> number, holders
  const std::vector<uint64_t> texts = {0, 1, 2, KeyNumbers::Pair(1, 0), KeyNumbers::Pair(0, 1),
                                       KeyNumbers::Pair(1, 1), KeyNumbers::Pair(2, 1), UINT64_MAX,
                                       uint64_t{1} << 63, KeyNumbers::Pair(7, 7)};
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
