#include "tools/logcheck/contest_input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tools/logcheck/log_match.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

// PH and SSB lines of two loggers are one mode once read.
TEST(CheckLogsOfTest, PhoneWrittenAsPhOrSsbIsOneMode) {
  const std::string a =
      "START-OF-LOG: 3.0\nCALLSIGN: UT1AA\n"
      "QSO: 14200 PH 2026-12-19 1230 UT1AA 59 001 KI UT2BB 59 1 CD\nEND-OF-LOG:\n";
  const std::string b =
      "START-OF-LOG: 3.0\nCALLSIGN: UT2BB\n"
      "QSO: 14200 SSB 2026-12-19 1230 UT2BB 59 001 CD UT1AA 59 001 KI\nEND-OF-LOG:\n";
  TextPool texts;
  std::vector<CheckLog> logs;
  for (const std::string& text : {a, b}) {
    ReplayPlan plan;
    std::string problem;
    ReplayOptions options;
    options.skipBad = true;
    ASSERT_TRUE(PlanReplay(text, options, &plan, &problem)) << problem;
    logs.push_back(CheckLogOf(plan, &texts));
  }
  MatchOptions options;
  options.startMinute = 46375LL * 1440 + 12 * 60;  // 2026-12-19 12:00 UTC
  const auto verdicts = CheckAllLogs(logs, texts, options);
  EXPECT_EQ(logs[0].qsos[0].mode, logs[1].qsos[0].mode);
  EXPECT_EQ(verdicts[0].qsos[0].verdict, Verdict::kConfirmed);
  EXPECT_EQ(verdicts[1].qsos[0].verdict, Verdict::kConfirmed);
}

// Every QSO line is in the log the matcher takes: a call as the call
// column holds it, a line whose time cannot be read as unreadable, placed
// between the lines around it.
TEST(CheckLogsOfTest, EveryQsoLineIsKeptReadOrUnreadable) {
  const std::string text =
      "START-OF-LOG: 3.0\nCALLSIGN: UT1AA\n"
      "QSO: 14000 CW 2026-12-19 1230 UT1AA 599 001 KI DL9GB 599 001 GB\n"
      "QSO: 14000 CW 2026-12-19 1231 UT1AA 599 002 KI DLGB 599 002 GB\n"
      "QSO: 14000 CW 2026-12-19 2531 UT1AA 599 003 KI SM6GST 599 003 ST\n"
      "QSO: 14000 CW 2026-13-19 1240 UT1AA 599 004 KI SM6GST 599 004 ST\n"
      "QSO: 14000 CW 2026-12-19 1231 UT1AA 599 005 KI UT<5AA 599 005 AA\n"
      "QSO: 14000 CW 2026-12-19 1300 UT1AA 599 006 KI UT2BB 599 006 BB\n"
      "QSO: 99999 CW 2026-12-19 1245 UT1AA 599 007 KI UT3CC 599 007 CC\n"
      "END-OF-LOG:\n";
  ReplayPlan plan;
  std::string problem;
  ReplayOptions options;
  options.skipBad = true;
  ASSERT_TRUE(PlanReplay(text, options, &plan, &problem)) << problem;
  TextPool texts;
  const CheckLog log = CheckLogOf(plan, &texts);
  std::map<uint32_t, size_t> byLine;
  for (size_t j = 0; j < log.qsos.size(); ++j) byLine[log.qsos[j].line] = j;
  ASSERT_EQ(byLine.size(), 7u);
  const long long at1230 = 46375LL * 1440 + 12 * 60 + 30;
  const struct {
    uint32_t line;
    const char* call;
    const char* unreadable;      // the value at fault named in the reason; null: read
    long long earliest, latest;  // minutes after 12:30 it can have been logged
    bool timeRead;
  } cases[] = {{3, "DL9GB", nullptr, 0, 0, true},
               {4, "DLGB", nullptr, 1, 1, true},
               // Between two lines of the same minute: that minute, not read.
               {5, "SM6GST", "(time)", 1, 1, false},
               {6, "SM6GST", "(date)", 1, 1, false},
               {7, "UT<5AA", nullptr, 1, 1, true},
               {8, "UT2BB", nullptr, 30, 30, true},
               {9, "UT3CC", "(frequency)", 15, 15, true}};
  for (const auto& c : cases) {
    const size_t j = byLine.at(c.line);
    const CheckQso& q = log.qsos[j];
    EXPECT_EQ(texts.Text(q.call), c.call) << "line " << c.line;
    EXPECT_EQ(q.unreadable, c.unreadable != nullptr) << "line " << c.line;
    const UnreadableLine* line = UnreadableLineOf(log, j);
    ASSERT_EQ(line != nullptr, c.unreadable != nullptr) << "line " << c.line;
    if (line == nullptr) {
      EXPECT_EQ(q.minute, at1230 + c.earliest) << "line " << c.line;
      continue;
    }
    EXPECT_NE(line->reason.find(c.unreadable), std::string::npos) << line->reason;
    EXPECT_EQ(line->earliest, at1230 + c.earliest) << line->reason;
    EXPECT_EQ(line->latest, at1230 + c.latest) << line->reason;
    EXPECT_EQ(line->timeRead, c.timeRead) << line->reason;
  }
}

// A folder of what a committee finds in its mail: logs, a second log of
// one call, and files that are no log, each named with what it seems.
TEST(ReadContestTest, EveryFileOfAFolderIsReadOrNamedAsSkipped) {
  const fs::path folder =
      fs::temp_directory_path() /
      ("logcheck_input_" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(folder);
  const auto log = [](const char* call, const char* time, const char* worked) {
    return std::string("START-OF-LOG: 3.0\nCALLSIGN: ") + call +
           "\nCATEGORY-OPERATOR: SINGLE-OP\nQSO: 14025 CW 2026-12-19 " + time + " " + call +
           " 599 001 KI " + worked + " 599 001 CD\nEND-OF-LOG:\n";
  };
  const std::map<std::string, std::string> files = {
      {"a.log", log("UT1AA", "1230", "UT2BB")},
      {"b.log", log("UT2BB", "1230", "UT1AA")},
      {"b-again.log", log("UT2BB", "1300", "UT1AA")},  // later: replaces b.log
      {"empty.txt", ""},
      {"binary.bin", std::string("\x7F"
                                 "ELF\0\0\x01",
                                 7)},
      {"export.adi", "header\n<ADIF_VER:5>3.1.4 <EOH>\n<CALL:5>UT1AA <EOR>\n"},
      {"note.txt", "Dear committee, my log is attached.\n"},
  };
  for (const auto& [name, text] : files) {
    std::ofstream(folder / name, std::ios::binary) << text;
  }
  ContestInput input;
  std::string problem;
  ASSERT_TRUE(ReadContest({folder.u8string()}, InputOptions(), &input, &problem)) << problem;
  fs::remove_all(folder);

  ASSERT_EQ(input.logs.size(), 2u);
  EXPECT_EQ(input.logs[0].check.call, "UT1AA");
  EXPECT_EQ(input.logs[1].name, "b-again.log");
  std::map<std::string, std::string> skipped;
  for (const SkippedLog& s : input.skipped)
    skipped[fs::u8path(s.path).filename().u8string()] = s.reason;
  const std::map<std::string, std::string> expected = {
      {"b.log", "a later log of UT2BB"},  {"empty.txt", "an empty file"},
      {"binary.bin", "a binary file"},    {"export.adi", "an ADIF log"},
      {"note.txt", "not a Cabrillo log"},
  };
  ASSERT_EQ(skipped.size(), expected.size());
  for (const auto& [name, reason] : expected) {
    ASSERT_EQ(skipped.count(name), 1u) << name;
    EXPECT_EQ(skipped[name].rfind(reason, 0), 0u) << name << ": " << skipped[name];
  }
}

}  // namespace
}  // namespace tools
