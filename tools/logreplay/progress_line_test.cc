#include "tools/logreplay/progress_line.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace tools {
namespace {

struct Terminal {
  double now = 100.0;
  std::vector<std::string> writes;

  ProgressLine Line(bool enabled) {
    return ProgressLine(
        enabled, [this] { return now; },
        [this](const std::string& text) { writes.push_back(text); });
  }
};

TEST(ProgressLineTest, StaysQuietDuringTheFirstSecond) {
  Terminal t;
  ProgressLine line = t.Line(true);
  for (size_t done = 1; done <= 10; ++done) {
    t.now += 0.1;  // 1.0 s at the tenth: not more than a second
    line.Update(done, 20);
  }
  line.Finish();
  EXPECT_TRUE(t.writes.empty());
}

TEST(ProgressLineTest, DrawsAtMostEveryFifthOfASecond) {
  Terminal t;
  ProgressLine line = t.Line(true);
  t.now += 1.01;
  line.Update(1, 200);
  ASSERT_EQ(t.writes.size(), 1u);
  EXPECT_EQ(t.writes[0], "\rreplaying: 1 of 200 QSOs offered (0%)");
  t.now += 0.19;
  line.Update(2, 200);
  EXPECT_EQ(t.writes.size(), 1u);
  t.now += 0.02;
  line.Update(50, 200);
  ASSERT_EQ(t.writes.size(), 2u);
  EXPECT_EQ(t.writes[1], "\rreplaying: 50 of 200 QSOs offered (25%)");
}

TEST(ProgressLineTest, LastUpdateAlwaysDrawsAndFinishWipesTheWidestText) {
  Terminal t;
  ProgressLine line = t.Line(true);
  t.now += 2.0;
  line.Update(99, 100);
  t.now += 0.01;
  line.Update(100, 100);
  ASSERT_EQ(t.writes.size(), 2u);
  const std::string last = "replaying: 100 of 100 QSOs offered (100%), scoring...";
  EXPECT_EQ(t.writes[1], "\r" + last);
  line.Finish();
  ASSERT_EQ(t.writes.size(), 3u);
  EXPECT_EQ(t.writes[2], "\r" + std::string(last.size(), ' ') + "\r");
  line.Finish();
  EXPECT_EQ(t.writes.size(), 3u);
}

TEST(ProgressLineTest, ShorterTextCoversTheLongerOne) {
  Terminal t;
  ProgressLine line = t.Line(true);
  t.now += 1.5;
  line.Update(1000, 1000000);
  t.now += 0.5;
  line.Update(1000, 10000);  // a shorter text: blanks cover the rest
  ASSERT_EQ(t.writes.size(), 2u);
  EXPECT_EQ(t.writes[0].size(), t.writes[1].size());
  EXPECT_EQ(t.writes[1].back(), ' ');
}

TEST(ProgressLineTest, DisabledLineWritesNothing) {
  Terminal t;
  ProgressLine line = t.Line(false);
  t.now += 5.0;
  line.Update(1, 2);
  line.Update(2, 2);
  line.Finish();
  EXPECT_TRUE(t.writes.empty());
}

}  // namespace
}  // namespace tools
