#include "stats/band_list.h"

#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace stats {
namespace {

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
