#include "stats/store/id_sequence.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace stats
