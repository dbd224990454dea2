#include "tools/replay/progress_line.h"

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
  // `seconds` later, `done` of `total` QSOs.
  void Update(ProgressLine* line, double seconds, size_t done, size_t total) {
    now += seconds;
    line->Update(done, total);
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
  t.Update(&line, 1.01, 1, 200);
  ASSERT_EQ(t.writes.size(), 1u);
  EXPECT_EQ(t.writes[0], "\rreplaying: 1 of 200 QSOs offered (0%)");
  t.Update(&line, 0.19, 2, 200);
  EXPECT_EQ(t.writes.size(), 1u);
  t.Update(&line, 0.02, 50, 200);
  ASSERT_EQ(t.writes.size(), 2u);
  EXPECT_EQ(t.writes[1], "\rreplaying: 50 of 200 QSOs offered (25%)");
}

TEST(ProgressLineTest, LastUpdateAlwaysDrawsAndFinishWipesTheWidestText) {
  Terminal t;
  ProgressLine line = t.Line(true);
  t.Update(&line, 2.0, 99, 100);
  t.Update(&line, 0.01, 100, 100);
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
  t.Update(&line, 1.5, 1000, 1000000);
  t.Update(&line, 0.5, 1000, 10000);  // a shorter text: blanks cover the rest
  ASSERT_EQ(t.writes.size(), 2u);
  EXPECT_EQ(t.writes[0].size(), t.writes[1].size());
  EXPECT_EQ(t.writes[1].back(), ' ');
}

TEST(ProgressLineTest, DisabledLineWritesNothing) {
  Terminal t;
  ProgressLine line = t.Line(false);
  t.Update(&line, 5.0, 1, 2);
  line.Update(2, 2);
  line.Finish();
  EXPECT_TRUE(t.writes.empty());
}

}  // namespace
}  // namespace tools
