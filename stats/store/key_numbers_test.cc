#include "stats/store/key_numbers.h"

#include <cstdint>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace stats {
namespace {

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

}  // namespace
}  // namespace stats
