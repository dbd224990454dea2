#include "tools/logcheck/check_outputs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stats/contest_facts.h"
#include "tools/logcheck/contest_input.h"

namespace tools {
namespace {

using Categories = std::vector<std::pair<std::string, std::string>>;

const Categories kSingleOpMixed = {{"CATEGORY-OPERATOR", "SINGLE-OP"}, {"CATEGORY-MODE", "MIXED"}};

struct Entrant {
  std::string call;
  Categories categories;
  std::optional<long long> claimed;
  std::optional<long long> checked;  // unset: a checklog
  std::string name = std::string();  // empty: the call, lower case, and ".log"
  std::string contest = std::string();
};

// A checked contest of entrants without QSOs, classed by the default tags.
struct Contest {
  ContestInput input;
  ContestCheck check;

  explicit Contest(const std::vector<Entrant>& entrants) {
    check.input = &input;
    for (const Entrant& e : entrants) {
      EntrantLog log;
      log.name = e.name;
      if (log.name.empty()) {
        for (char c : e.call) log.name += static_cast<char>(std::tolower(c));
        log.name += ".log";
      }
      log.plan.categories = e.categories;
      log.plan.claimedScore = e.claimed;
      log.plan.contest = e.contest;
      log.category = ClassOf(e.categories, InputOptions().classBy, &log.checklog, &log.classValues);
      CheckLog checked;
      checked.call = e.call;
      checked.checklog = log.checklog;
      check.logs.push_back(checked);
      input.logs.push_back(std::move(log));
      check.verdicts.emplace_back();
      EntrantResult result;
      result.plugin = e.checked;
      result.checked = e.checked;
      check.entrants.push_back(result);
    }
  }
};

// The rows of results.csv after its header.
std::vector<std::string> ResultRows(const ContestCheck& check) {
  const std::string csv = ResultsCsv(check);
  std::vector<std::string> rows;
  size_t at = csv.find('\n') + 1;
  while (at < csv.size()) {
    const size_t end = csv.find('\n', at);
    rows.push_back(csv.substr(at, end - at));
    at = end + 1;
  }
  return rows;
}

TEST(ClassOfTest, OnlyTheChosenTagsMakeTheClass) {
  const std::vector<std::string> operatorMode = {"CATEGORY-OPERATOR", "CATEGORY-MODE"};
  const struct {
    const char* name;
    Categories categories;
    std::vector<std::string> classBy;
    const char* expected;
  } cases[] = {
      {"tags not chosen leave the class alone",
       {{"CATEGORY-OPERATOR", "SINGLE-OP"},
        {"CATEGORY-STATION", "PORTABLE"},
        {"CATEGORY-ASSISTED", "ASSISTED"},
        {"CATEGORY-MODE", "CW"}},
       InputOptions().classBy,
       "SINGLE-OP CW"},
      {"in the order of the chosen tags, not of the log",
       {{"CATEGORY-POWER", "LOW"},
        {"CATEGORY-MODE", "CW"},
        {"CATEGORY-BAND", "40M"},
        {"CATEGORY-OPERATOR", "SINGLE-OP"}},
       InputOptions().classBy,
       "SINGLE-OP 40M CW LOW"},
      {"a tag chosen and missing is left out",
       {{"CATEGORY-OPERATOR", "MULTI-OP"}, {"CATEGORY-POWER", ""}},
       InputOptions().classBy,
       "MULTI-OP"},
      {"none of the chosen tags", {{"CATEGORY-STATION", "PORTABLE"}}, operatorMode, kNoClass},
      {"a checklog by a tag not chosen",
       {{"CATEGORY-OPERATOR", "SINGLE-OP"}, {"CATEGORY-STATION", "CHECKLOG"}},
       operatorMode,
       "CHECKLOG"},
      {"another choice", kSingleOpMixed, {"CATEGORY-MODE"}, "MIXED"},
  };
  for (const auto& c : cases) {
    bool checklog = false;
    EXPECT_EQ(ClassOf(c.categories, c.classBy, &checklog), c.expected) << c.name;
    EXPECT_EQ(checklog, std::string(c.expected) == "CHECKLOG") << c.name;
  }
}

TEST(ResultsTest, RanksEachClassHighestCheckedScoreFirst) {
  const Categories portable = {{"CATEGORY-OPERATOR", "SINGLE-OP"},
                               {"CATEGORY-MODE", "MIXED"},
                               {"CATEGORY-STATION", "PORTABLE"}};
  const Categories multiCw = {{"CATEGORY-OPERATOR", "MULTI-OP"}, {"CATEGORY-MODE", "CW"}};
  const Contest contest({
      {"UT1AA", kSingleOpMixed, 1000, 900},
      {"UT2BB", portable, std::nullopt, 1200},
      {"UT3CC", kSingleOpMixed, 800, 900},
      {"UT4DD", multiCw, 500, 500},
      {"UT5EE", {{"CATEGORY-OPERATOR", "CHECKLOG"}}, std::nullopt, std::nullopt},
      {"UT6FF", {}, 2000, 2100},
      {"UT7GG", kSingleOpMixed, 0, 100},
      {"UT8HH", {{"CATEGORY-OPERATOR", "SINGLE-OP"}, {"CATEGORY-BAND", "40M"}}, 100, 100},
  });
  // category,place,call,log,qsos,credited,claimed_score,plugin_score,checked_score,reduction_pct
  const std::vector<std::string> expected = {
      "SINGLE-OP MIXED,1,UT2BB,ut2bb.log,0,0,,1200,1200,",
      "SINGLE-OP MIXED,2,UT1AA,ut1aa.log,0,0,1000,900,900,10.0",
      "SINGLE-OP MIXED,2,UT3CC,ut3cc.log,0,0,800,900,900,-12.5",
      "SINGLE-OP MIXED,4,UT7GG,ut7gg.log,0,0,0,100,100,",
      "SINGLE-OP 40M,1,UT8HH,ut8hh.log,0,0,100,100,100,0.0",
      "MULTI-OP CW,1,UT4DD,ut4dd.log,0,0,500,500,500,0.0",
      "(no category),1,UT6FF,ut6ff.log,0,0,2000,2100,2100,-5.0",
  };
  EXPECT_EQ(ResultRows(contest.check), expected);
}

TEST(ResultsHtmlTest, NamesTheContestMostLogsName) {
  const struct {
    std::vector<std::string> contests;  // one log each
    std::string title;
  } cases[] = {
      {{"CQ-UT", "UT-DX", "UT-DX", ""}, "UT-DX"},
      {{"UT-DX", "CQ-UT"}, "CQ-UT"},  // a tie: the first in text order
      {{"", ""}, stats::kContestName},
      {{"<B&B>"}, "&lt;B&amp;B&gt;"},
  };
  for (const auto& c : cases) {
    std::vector<Entrant> entrants;
    for (const std::string& contest : c.contests) {
      entrants.push_back({"UT" + std::to_string(entrants.size()) + "AA", kSingleOpMixed,
                          std::nullopt, 1, std::string(), contest});
    }
    Contest contest(entrants);
    contest.input.start = {46375.5, kStatsDateValid};  // 2026-12-19 12:00
    const std::string page = ResultsHtml(contest.check);
    EXPECT_NE(page.find("<h1>" + c.title +
                        " \xE2\x80\x94 checked results</h1>\n"
                        "<p class=\"sub\">Contest start 2026-12-19 12:00 UTC"),
              std::string::npos)
        << c.title << "\n"
        << page;
  }
}

TEST(CsvTest, QuotesValuesThatNeedIt) {
  const struct {
    const char* name;
    const char* field;  // as logs.csv's first column writes it
  } cases[] = {
      {"plain.log", "plain.log"},
      {"say \"hi\".log", "\"say \"\"hi\"\".log\""},
      {"a,b.log", "\"a,b.log\""},
      {"\"a\", b.log", "\"\"\"a\"\", b.log\""},
  };
  for (const auto& c : cases) {
    const Contest contest({{"UT1AA", kSingleOpMixed, std::nullopt, 10, c.name}});
    const std::string csv = LogsCsv(contest.check);
    const std::string row = csv.substr(csv.find('\n') + 1);
    EXPECT_EQ(row.substr(0, row.rfind(",UT1AA,")), c.field) << c.name;
  }
}

TEST(EntrantReportHtmlTest, KeepsEveryLineEscapedUnderItsHeading) {
  Contest contest({{"UT1AA", kSingleOpMixed, 100, 0}});
  EntrantLog& log = contest.input.logs[0];
  log.text = "START-OF-LOG: 3.0\nQSO: 7025 CW 2026-12-19 1220 UT1AA 599 4 KI <UT2BB> 599 4 & CD\n";
  log.lineStarts = {0, 18};
  CheckQso qso;
  qso.line = 2;
  qso.call = contest.input.texts.Intern("<UT2BB>");
  contest.check.logs[0].qsos.push_back(qso);
  contest.check.verdicts[0].qsos.emplace_back();  // unique
  const std::string report = EntrantReport(contest.check, 0);
  const std::string page = EntrantReportHtml(contest.check, 0, report);
  const char* const present[] = {
      "<h1>Log check of UT1AA (ut1aa.log)</h1>",
      "<p>Class: SINGLE-OP MIXED</p>",
      "<h2>Summary</h2>\n<pre>QSO lines checked: 1 = 1 credited + 0 removed\ncredited:",
      "<h2>unique (1, credited)</h2>\n<pre>line 2: QSO: 7025 CW 2026-12-19 1220 UT1AA 599 4 KI "
      "&lt;UT2BB&gt; 599 4 &amp; CD\n  in no other log</pre>",
      "<a href=\"../results.html\">",
  };
  for (const char* part : present) EXPECT_NE(page.find(part), std::string::npos) << part;
  EXPECT_EQ(page.find("<UT2BB>"), std::string::npos) << page;
  EXPECT_EQ(page.find('?'), std::string::npos) << page;
}

}  // namespace
}  // namespace tools
