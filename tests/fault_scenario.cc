#include "tests/fault_scenario.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "tests/contract_calls.h"
#include "tests/dialog_watcher.h"
#include "tests/message_box_watcher.h"
#include "tests/test_support.h"

namespace testing_support {
namespace {

const int kCancel = 2;

StatsDateTime Day(int hour, int minute) {
  return StatsDateTime{46375.0 + (hour * 60 + minute) / 1440.0, 0};
}

// QSO `i` of the log. The texts live in static storage: the calls read them
// while the plug-in runs.
QsoCallArgs FaultQso(std::size_t i) {
  static const char* const kBands[] = {"20m", "40m", "80m", "15m"};
  static const char* const kCodes[] = {"AB", "CD", "EF"};
  static const char* const kGroups[] = {"G1", "G2"};
  static std::vector<std::string> calls, exchanges;
  if (calls.empty()) {
    for (std::size_t k = 0; k < kFaultLogSize; ++k) {
      char text[16];
      const unsigned n = static_cast<unsigned>(k);
      std::snprintf(text, sizeof text, "UR%uA%c", n % 10, static_cast<char>('A' + n / 10));
      calls.push_back(text);
      std::snprintf(text, sizeof text, "%03u%s", n + 1, kCodes[n % 3]);
      exchanges.push_back(text);
    }
    calls[12].clear();
  }
  QsoCallArgs q = SampleQso();
  q.call = calls[i].c_str();
  q.time = Day(12 + static_cast<int>(i) / 5, static_cast<int>(i * 7) % 60);
  q.freqHz = 14000000 + static_cast<uint32_t>(i) * 1111;
  q.band = kBands[i % 4];
  q.mode = (i % 3 == 0) ? "SSB" : "CW";
  if (i % 9 == 4) q.mode = "RTTY";
  q.exchRcvd = (i % 8 == 2) ? "RT" : exchanges[i].c_str();
  if (i % 11 == 7) q.exchRcvd = "";
  q.multCode = kCodes[i % 3];
  q.group = kGroups[i % 2];
  return q;
}

}  // namespace

void StartFaultLog(PluginUnderTest& p, std::size_t count) {
  {
    DialogWatcher dialog("CQ UT CONTEST", kCancel);
    Reset(p, 1, kFaultOwnCall, Day(12, 0), "AB", "G1");
    dialog.Finish();
  }
  AddFaultQsos(p, 0, count);
}

void AddFaultQsos(PluginUnderTest& p, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) Add(p, FaultQso(i));
}

ResultsOutcome RequestResults(PluginUnderTest& p) {
  ResultsOutcome outcome;
  MessageBoxWatcher box;
  const char* text = p.GetResult0(&outcome.score);
  outcome.notice = box.Finish();
  outcome.text = text != nullptr ? text : "<null>";
  return outcome;
}

std::vector<std::string> QsoLinesOf(const std::string& cabrilloLog) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < cabrilloLog.size()) {
    std::size_t end = cabrilloLog.find("\r\n", begin);
    if (end == std::string::npos) end = cabrilloLog.size();
    const std::string line = cabrilloLog.substr(begin, end - begin);
    if (line.rfind("QSO: ", 0) == 0) lines.push_back(line);
    begin = end + 2;
  }
  return lines;
}

const FaultReference& ReferenceFor(PluginUnderTest& p, std::size_t count) {
  static std::map<std::size_t, FaultReference> references;
  auto found = references.find(count);
  if (found != references.end()) return found->second;
  ScopedWorkDir dir;
  std::filesystem::create_directory("Plugins");
  StartFaultLog(p, count);
  FaultReference reference;
  reference.results = RequestResults(p);
  reference.qsoLines = QsoLinesOf(ReadFile(kFaultLogFile));
  return references.emplace(count, reference).first->second;
}

std::vector<std::string> FolderEntries() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void FaultTest::ExpectSameResults(const ResultsOutcome& got) const {
  EXPECT_EQ(got.text, m_reference.results.text);
  EXPECT_EQ(got.score, -1);
}

void FaultTest::ExpectLogListsTheStore(const std::string& path) const {
  ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
  EXPECT_EQ(QsoLinesOf(ReadFile(path)), m_reference.qsoLines);
}

}  // namespace testing_support
