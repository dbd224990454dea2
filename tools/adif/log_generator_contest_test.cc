#include "tools/adif/log_generator_contest.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tools {
namespace {

std::vector<GeneratedLog> Generate(const ContestOptions& options) {
  std::vector<GeneratedLog> logs;
  GenerateContest(options, [&](const GeneratedLog& log) { logs.push_back(log); });
  return logs;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The worked call of one of the generator's QSO lines: the tenth value.
std::string WorkedCall(const std::string& line) {
  std::istringstream in(line);
  std::string value;
  for (int i = 0; i < 10; ++i) in >> value;
  return value;
}

TEST(ContestGeneratorTest, SameSeedGivesSameContest) {
  ContestOptions options;
  options.entrants = 40;
  options.silentStations = 40;
  options.qsoLines = 3000;
  const std::vector<GeneratedLog> first = Generate(options);
  ASSERT_EQ(first.size(), 40u);
  const std::vector<GeneratedLog> again = Generate(options);
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].cabrillo, again[i].cabrillo);
    EXPECT_EQ(TruthCsvRows(first[i]), TruthCsvRows(again[i]));
  }
  options.seed = 2;
  EXPECT_NE(Generate(options)[0].cabrillo, first[0].cabrillo);
}

TEST(ContestGeneratorTest, PlantsFaultsAtTheirRates) {
  ContestOptions options;
  options.seed = 11;
  options.entrants = 500;
  options.silentStations = 500;
  options.qsoLines = 100000;
  const std::vector<GeneratedLog> logs = Generate(options);
  std::set<std::string> calls;
  for (const GeneratedLog& log : logs) calls.insert(log.call);
  std::map<PlantedFault, size_t> faults;
  size_t lines = 0, offClocks = 0, farClocks = 0;
  for (const GeneratedLog& log : logs) {
    offClocks +=
        log.clockOffset != 0 && std::abs(log.clockOffset) >= 3 && std::abs(log.clockOffset) <= 20;
    farClocks += std::abs(log.clockOffset) == 60;
    const std::vector<std::string> text = Lines(log.cabrillo);
    for (const LineTruth& truth : log.lines) {
      ++lines;
      ++faults[truth.fault];
      ASSERT_LE(truth.line, text.size());
      const std::string& line = text[truth.line - 1];
      ASSERT_EQ(line.rfind("QSO: ", 0), 0u) << line;
      const std::string worked = WorkedCall(line);
      if (truth.fault == PlantedFault::kBustedCall) {
        EXPECT_NE(worked, truth.correct);
        EXPECT_EQ(calls.count(worked), 0u) << worked << " is a station's call";
      }
      if (truth.workedSentLog && truth.fault != PlantedFault::kBustedCall) {
        EXPECT_EQ(calls.count(worked), 1u) << line;
      }
    }
  }
  EXPECT_GT(lines, 95000u);
  EXPECT_LT(lines, 105000u);
  const struct {
    PlantedFault fault;
    double low, high;  // share of the lines
  } rates[] = {{PlantedFault::kBustedCall, 0.013, 0.019},
               {PlantedFault::kBustedExchange, 0.003, 0.005},
               {PlantedFault::kNil, 0.004, 0.01},
               {PlantedFault::kDupe, 0.003, 0.008}};
  for (const auto& r : rates) {
    EXPECT_GE(faults[r.fault], r.low * lines) << PlantedFaultName(r.fault);
    EXPECT_LE(faults[r.fault], r.high * lines) << PlantedFaultName(r.fault);
  }
  EXPECT_GE(offClocks, 4u);
  EXPECT_LE(offClocks, 20u);
  EXPECT_LE(farClocks, 4u);
}

}  // namespace
}  // namespace tools
