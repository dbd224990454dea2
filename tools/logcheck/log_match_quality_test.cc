// The matcher against a generated contest whose truth is known: the figures
// the committee relies on, at a size that runs in seconds.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tools/adif/log_generator_contest.h"
#include "tools/logcheck/check_outputs.h"
#include "tools/logcheck/contest_input.h"
#include "tools/logcheck/log_match.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

struct Tally {
  size_t bustedJudged = 0, bustedJudgedRight = 0;
  size_t bustedWithLog = 0, bustedWithLogFound = 0;
  size_t nils = 0, nilsFound = 0;
  size_t good = 0, goodRemoved = 0;
  size_t dupes = 0, clockLogs = 0, farClockLogs = 0;
};

TEST(LogMatchQualityTest, GeneratedContestMeetsTheCommitteeFigures) {
  ContestOptions options;
  options.seed = 7;  // plants a clock 60 minutes off among 8 offsets
  const fs::path folder =
      fs::temp_directory_path() /
      ("logcheck_quality_" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::map<std::string, GeneratedLog> truth;  // by call; texts dropped
  GenerateContest(options, [&](const GeneratedLog& log) {
    std::ofstream(folder / log.fileName, std::ios::binary) << log.cabrillo;
    GeneratedLog kept = log;
    kept.cabrillo.clear();
    truth[log.call] = std::move(kept);
  });
  ContestInput input;
  std::string problem;
  ASSERT_TRUE(ReadContest({folder.u8string()}, InputOptions(), &input, &problem)) << problem;
  fs::remove_all(folder);
  ASSERT_EQ(input.logs.size(), options.entrants);
  MatchOptions match;
  match.startMinute = std::llround(input.start.value * 1440.0);
  const std::vector<CheckLog> logs = TakeCheckLogs(&input);
  const std::vector<LogVerdicts> verdicts = CheckAllLogs(logs, input.texts, match);

  Tally t;
  for (size_t i = 0; i < logs.size(); ++i) {
    const GeneratedLog& planted = truth.at(logs[i].call);
    EXPECT_LE(std::llabs(verdicts[i].clockOffset - planted.clockOffset), 1) << logs[i].call;
    t.clockLogs += planted.clockOffset != 0;
    t.farClockLogs += std::abs(planted.clockOffset) == 60;
    std::map<size_t, const LineTruth*> byLine;
    for (const LineTruth& line : planted.lines) byLine[line.line] = &line;
    ASSERT_EQ(byLine.size(), logs[i].qsos.size()) << logs[i].call;
    for (size_t j = 0; j < logs[i].qsos.size(); ++j) {
      const LineTruth& line = *byLine.at(logs[i].qsos[j].line);
      const Verdict v = verdicts[i].qsos[j].verdict;
      const bool judgedBusted = v == Verdict::kBustedCall;
      switch (line.fault) {
        case PlantedFault::kGood:
          ++t.good;
          t.goodRemoved += !IsCredited(v);
          break;
        case PlantedFault::kBustedCall:
          t.bustedWithLog += line.workedSentLog;
          t.bustedWithLogFound += line.workedSentLog && judgedBusted;
          break;
        case PlantedFault::kNil:
          ++t.nils;
          t.nilsFound += v == Verdict::kNil;
          break;
        case PlantedFault::kDupe:
          ++t.dupes;
          break;
        default:
          break;
      }
      t.bustedJudged += judgedBusted;
      t.bustedJudgedRight += judgedBusted && line.fault == PlantedFault::kBustedCall;
    }
  }
  // The contest plants what the figures need.
  ASSERT_GE(t.bustedWithLog, 500u);
  ASSERT_GE(t.nils, 100u);
  ASSERT_GE(t.dupes, 100u);
  ASSERT_GE(t.clockLogs, 5u);
  ASSERT_GE(t.farClockLogs, 1u);
  EXPECT_GE(t.bustedJudgedRight, 0.995 * t.bustedJudged);
  EXPECT_GE(t.bustedWithLogFound, 0.99 * t.bustedWithLog);
  EXPECT_GE(t.nilsFound, 0.995 * t.nils);
  EXPECT_LE(t.goodRemoved, 0.0005 * t.good);
}

}  // namespace
}  // namespace tools
