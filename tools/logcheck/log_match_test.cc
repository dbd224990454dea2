#include "tools/logcheck/log_match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "stats/contest_facts.h"
#include "tools/logcheck/check_outputs.h"
#include "tools/logcheck/contest_input.h"

namespace tools {
namespace {

constexpr long long kStart = 46375LL * 1440 + 12 * 60;  // 2026-12-19 12:00 UTC

MatchOptions Options() {
  MatchOptions options;
  options.startMinute = kStart;
  return options;
}

// A QSO of `log` with `worked` at `minute` after the start; serials follow
// the order QSOs are added, the code is the log's own.
struct Contest {
  std::vector<CheckLog> logs;
  TextPool texts;
  std::map<std::string, std::string> codes;

  CheckLog& Log(const std::string& call) {
    for (CheckLog& log : logs) {
      if (log.call == call) return log;
    }
    logs.push_back({call, false, {}, {}});
    return logs.back();
  }
  // One side of a QSO; `rcvd` is the exchange written down.
  void Side(const std::string& own, const std::string& worked, long long minute,
            const std::string& sent, const std::string& rcvd, const std::string& band = "40m",
            const std::string& mode = "CW") {
    CheckLog& log = Log(own);
    log.qsos.push_back({static_cast<uint32_t>(log.qsos.size() + 1), texts.Intern(worked),
                        texts.Intern(band), texts.Intern(mode), kStart + minute, texts.Intern(sent),
                        texts.Intern(rcvd)});
  }
  // Both sides, exchanges right, times `apart` minutes apart.
  void Both(const std::string& a, const std::string& b, long long minute, long long apart = 0) {
    const std::string sentA = std::to_string(Log(a).qsos.size() + 1) + Code(a);
    const std::string sentB = std::to_string(Log(b).qsos.size() + 1) + Code(b);
    Side(a, b, minute, sentA, sentB);
    Side(b, a, minute + apart, sentB, sentA);
  }
  // A QSO line of `own` that could not be read, logged between `earliest`
  // and `latest`.
  void Unreadable(const std::string& own, long long earliest, long long latest) {
    CheckLog& log = Log(own);
    CheckQso q;
    q.line = static_cast<uint32_t>(log.qsos.size() + 1);
    q.minute = kStart + earliest;
    q.unreadable = true;
    log.unreadable.push_back(
        {static_cast<uint32_t>(log.qsos.size()), "time", kStart + earliest, kStart + latest});
    log.qsos.push_back(q);
  }
  std::string Code(const std::string& call) {
    return codes.count(call) ? codes[call] : call.substr(call.size() - 2);
  }
  Verdict Of(const std::vector<LogVerdicts>& v, const std::string& call, size_t line) const {
    for (size_t i = 0; i < logs.size(); ++i) {
      if (logs[i].call != call) continue;
      for (size_t j = 0; j < logs[i].qsos.size(); ++j) {
        if (logs[i].qsos[j].line == line) return v[i].qsos[j].verdict;
      }
    }
    ADD_FAILURE() << call << " line " << line << " not found";
    return Verdict::kUnique;
  }
  const QsoVerdict& VerdictOf(const std::vector<LogVerdicts>& v, const std::string& call,
                              size_t line) const {
    for (size_t i = 0; i < logs.size(); ++i) {
      for (size_t j = 0; logs[i].call == call && j < logs[i].qsos.size(); ++j) {
        if (logs[i].qsos[j].line == line) return v[i].qsos[j];
      }
    }
    static const QsoVerdict none;
    ADD_FAILURE() << call << " line " << line << " not found";
    return none;
  }
};

TEST(TourOfMinutesTest, FloorsInsideTheFourToursOnly) {
  constexpr long long kTour = stats::kTourMinutes;
  constexpr long long kEnd = stats::kContestMinutes;
  const struct {
    long long minutes;
    int tour;
  } cases[] = {{-(kTour - 1), stats::kOutsideTours},
               {-1, stats::kOutsideTours},
               {0, 1},
               {kTour - 1, 1},
               {kTour, 2},
               {kEnd - 1, stats::kTourCount},
               {kEnd, stats::kOutsideTours},
               {24 * 60, stats::kOutsideTours}};
  for (const auto& c : cases) EXPECT_EQ(stats::TourOfMinutes(c.minutes), c.tour) << c.minutes;
}

TEST(EditDistanceTest, CountsEditsUpToTheLimit) {
  const struct {
    const char* a;
    const char* b;
    int limit;
    int expected;
  } cases[] = {
      {"UT2BB", "UT2BB", 2, 0},   {"UT2BB", "UT2BP", 2, 1},   {"UT2BB", "UT2B", 2, 1},
      {"UT2BB", "UT22BB", 2, 1},  {"UT2BB", "TU2BB", 2, 2},   {"UT2BB", "UT4DB", 2, 2},
      {"UT2BB", "UT4DE", 2, 3},   {"UT2BB", "EM9QQ", 2, 3},   {"", "ABC", 2, 3},
      {"UT2BB", "UT2BB/P", 2, 2}, {"UT2BB", "UT2BB/P", 1, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EditDistance(c.a, c.b, c.limit), c.expected) << c.a << " " << c.b;
    EXPECT_EQ(EditDistance(c.b, c.a, c.limit), c.expected) << c.b << " " << c.a;
  }
}

TEST(ExchangeEqualTest, ComparesSerialsByNumberAndCodesAsText) {
  const struct {
    const char* received;
    const char* sent;
    bool equal;
  } cases[] = {
      {"001KI", "1KI", true},    {"0001KI", "001KI", true}, {"001ki", "001KI", true},
      {"000KI", "0KI", true},    {"KI", "KI", true},        {"002KI", "001KI", false},
      {"10KI", "1KI", false},    {"001KI", "001KO", false}, {"001", "001KI", false},
      {"100KI", "001KI", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExchangeEqual(c.received, c.sent), c.equal) << c.received << " " << c.sent;
  }
}

TEST(CheckAllLogsTest, WindowEdgesDecideBetweenConfirmedTimeMismatchAndNil) {
  const struct {
    long long apart;
    Verdict expected;
  } cases[] = {
      {0, Verdict::kConfirmed},    {5, Verdict::kConfirmed},     {-5, Verdict::kConfirmed},
      {6, Verdict::kTimeMismatch}, {15, Verdict::kTimeMismatch}, {-15, Verdict::kTimeMismatch},
      {16, Verdict::kNil},         {-16, Verdict::kNil},
  };
  for (const auto& c : cases) {
    Contest contest;
    contest.Both("UT1AA", "UT2BB", 30, c.apart);
    const auto verdicts = CheckAllLogs(contest.logs, contest.texts, Options());
    EXPECT_EQ(contest.Of(verdicts, "UT1AA", 1), c.expected) << "apart " << c.apart;
    EXPECT_EQ(contest.Of(verdicts, "UT2BB", 1), c.expected) << "apart " << c.apart;
  }
}

// Each case a small contest of UT1AA, UT2BB (and more) built by hand, and
// the verdicts of named lines; times in minutes from the start, the tours'
// from the contest's facts.
TEST(CheckAllLogsTest, CasesWhereTwoRulesMeet) {
  constexpr long long kTour2 = stats::kTourMinutes;
  constexpr long long kTour4 = 3 * stats::kTourMinutes;
  // Six stations that work UT1AA (whose clock is `fast` minutes ahead)
  // early on, to let its clock be estimated.
  const auto withClock = [](Contest* c, long long fast) {
    const char* others[] = {"UT3CC", "UT4DD", "UT5EE", "UT6FF", "UT7GG", "UT8HH"};
    for (int i = 0; i < 6; ++i) c->Both(others[i], "UT1AA", 10 + 3 * i, fast);
  };
  const struct {
    const char* name;
    void (*build)(Contest*, decltype(withClock)&);
    // UT1AA's and UT2BB's lines and their expected verdicts.
    std::vector<std::tuple<const char*, size_t, Verdict>> expected;
  } cases[] = {
      {"a busted call (and code) 13 min apart; the other side credited",
       [](Contest* c, auto&) {
         c->Side("UT1AA", "UT2BX", 100, "1KI", "5BQ");
         c->Side("UT2BB", "UT1AA", 113, "5BB", "1KI");
       },
       {{"UT1AA", 1, Verdict::kBustedCall}, {"UT2BB", 1, Verdict::kTimeMismatch}}},
      {"a busted call of a log's station by the popular rule: its QSO credited",
       [](Contest* c, auto&) {
         c->Side("UT1AA", "UT2BX", 100, "1KI", "7BB");
         c->Side("UT2BB", "UT1AA", 100, "5BB", "1KI");
       },
       {{"UT1AA", 1, Verdict::kBustedCall}, {"UT2BB", 1, Verdict::kConfirmed}}},
      {"no match but an unreadable line of the other log near it",
       [](Contest* c, auto&) {
         c->Side("UT1AA", "UT2BB", 100, "1KI", "5BB");
         c->Unreadable("UT2BB", 90, 110);
       },
       {{"UT1AA", 1, Verdict::kUnconfirmed}, {"UT2BB", 1, Verdict::kUnreadable}}},
      {"an unreadable line of the other log too far away",
       [](Contest* c, auto&) {
         c->Side("UT1AA", "UT2BB", 100, "1KI", "5BB");
         c->Unreadable("UT2BB", 116, 130);
       },
       {{"UT1AA", 1, Verdict::kNil}, {"UT2BB", 1, Verdict::kUnreadable}}},
      {"a log 12 min fast: QSOs either side of tour 2's start are no repeat",
       [](Contest* c, auto& clock) {
         clock(c, 12);
         c->Both("UT2BB", "UT1AA", kTour2 - 10, 12);
         c->Both("UT2BB", "UT1AA", kTour2 + 5, 12);
       },
       {{"UT1AA", 7, Verdict::kConfirmed}, {"UT1AA", 8, Verdict::kConfirmed}}},
      {"a log 60 min fast: logged after the tours, a repeat in tour 4 when corrected",
       [](Contest* c, auto& clock) {
         clock(c, 60);
         c->Both("UT2BB", "UT1AA", kTour4 + 40, 60);
         c->Side("UT1AA", "UT2BB", stats::kContestMinutes - 15 + 60, "9KI", "9BB");
       },
       {{"UT1AA", 7, Verdict::kConfirmed}, {"UT1AA", 8, Verdict::kDupe}}},
      {"the last minute of tour 4 counts, the next is outside",
       [](Contest* c, auto&) {
         c->Both("UT1AA", "UT2BB", stats::kContestMinutes - 1);
         c->Both("UT1AA", "UT2BB", stats::kContestMinutes);
       },
       {{"UT1AA", 1, Verdict::kConfirmed}, {"UT1AA", 2, Verdict::kOutsideContest}}},
  };
  for (const auto& c : cases) {
    Contest contest;
    contest.Log("UT1AA");
    contest.Log("UT2BB");
    c.build(&contest, withClock);
    const auto verdicts = CheckAllLogs(contest.logs, contest.texts, Options());
    for (const auto& [call, line, verdict] : c.expected) {
      EXPECT_EQ(VerdictName(contest.Of(verdicts, call, line)), std::string(VerdictName(verdict)))
          << c.name << ": " << call << " line " << line;
    }
  }
}

TEST(CheckAllLogsTest, PopularCallIsTheOneMeantWhenOnTheBandWithinItsWindow) {
  // UT9ZZ sends no log but is in eleven; UT1AA logs a call like it `away`
  // minutes after the last of them, code ZZ.
  const struct {
    const char* logged;
    long long away;
    int edits;  // MatchOptions::popularCallEdits
    bool busted;
  } cases[] = {{"UT9ZX", 20, 1, true},  {"UT9ZX", 30, 1, true}, {"UT9ZX", 31, 1, false},
               {"UT9XX", 20, 1, false}, {"UT9XX", 20, 2, true}, {"T9ZZ", 20, 1, true},
               {"UT9ZZZ", 20, 1, true}, {"U9ZX", 20, 1, false}, {"U9ZX", 20, 2, true}};
  for (const auto& c : cases) {
    Contest contest;
    for (int i = 0; i < 11; ++i) {
      const std::string own = "UR" + std::to_string(i) + "AA";
      contest.Side(own, "UT9ZZ", 60 + i, "1AA", std::to_string(i + 1) + "ZZ");
    }
    contest.Side("UT1AA", c.logged, 70 + c.away, "1KI", "99ZZ");
    MatchOptions options = Options();
    options.popularCallEdits = c.edits;
    const auto verdicts = CheckAllLogs(contest.logs, contest.texts, options);
    const QsoVerdict& v = contest.VerdictOf(verdicts, "UT1AA", 1);
    EXPECT_EQ(v.verdict, c.busted ? Verdict::kBustedCall : Verdict::kUnique)
        << c.logged << " " << c.away << " " << c.edits;
    EXPECT_EQ(v.correct, c.busted ? "UT9ZZ" : "") << c.logged << " " << c.away;
  }
}

TEST(CheckAllLogsTest, EvidenceNamesTheLineARemovedQsoRestsOn) {
  Contest contest;
  contest.Both("UT1AA", "UT2BB", 100);                // UT1AA 1, UT2BB 1
  contest.Side("UT1AA", "UT2BB", 110, "2KI", "2BB");  // UT1AA 2: a repeat of line 1
  contest.Side("UT1AA", "UT2BB", 300, "3KI", "3BB");  // UT1AA 3: UT2BB's nearest is 40 away
  contest.Side("UT2BB", "UT1AA", 340, "3BB", "3KI");  // UT2BB 2
  const auto verdicts = CheckAllLogs(contest.logs, contest.texts, Options());
  const QsoVerdict& dupe = contest.VerdictOf(verdicts, "UT1AA", 2);
  EXPECT_EQ(dupe.verdict, Verdict::kDupe);
  EXPECT_EQ(dupe.evidence, EvidenceKind::kEarlier);
  EXPECT_EQ(contest.logs[dupe.otherLog].qsos[dupe.otherQso].line, 1u);
  const QsoVerdict& nil = contest.VerdictOf(verdicts, "UT1AA", 3);
  EXPECT_EQ(nil.verdict, Verdict::kNil);
  EXPECT_EQ(nil.evidence, EvidenceKind::kNearest);
  EXPECT_EQ(contest.logs[nil.otherLog].call, "UT2BB");
  EXPECT_EQ(contest.logs[nil.otherLog].qsos[nil.otherQso].line, 2u);
  EXPECT_EQ(nil.minutesApart, 40);
}

TEST(CheckAllLogsTest, OneQsoConfirmsAtMostOne) {
  Contest contest;
  // Tours 1 and 2 either side of 14:00: no repeat, yet one QSO of UT2BB.
  contest.Side("UT1AA", "UT2BB", 118, "1KI", "1BB");
  contest.Side("UT1AA", "UT2BB", 122, "2KI", "1BB");
  contest.Side("UT2BB", "UT1AA", 120, "1BB", "1KI");
  const auto verdicts = CheckAllLogs(contest.logs, contest.texts, Options());
  EXPECT_EQ(contest.Of(verdicts, "UT1AA", 1), Verdict::kConfirmed);
  EXPECT_EQ(contest.Of(verdicts, "UT1AA", 2), Verdict::kNil);
  EXPECT_EQ(contest.Of(verdicts, "UT2BB", 1), Verdict::kConfirmed);
}

TEST(CheckAllLogsTest, ExchangesThatAgreePairBeforeNearerOnesThatDoNot) {
  // Two QSOs a minute apart, the other side's times swapped by jitter.
  Contest contest;
  contest.Side("UT1AA", "UT2BB", 10, "1KI", "1BB");
  contest.Side("UT1AA", "UT2BB", 11, "2KI", "2BB");
  contest.Side("UT2BB", "UT1AA", 11, "1BB", "1KI");
  contest.Side("UT2BB", "UT1AA", 10, "2BB", "2KI");
  const auto verdicts = CheckAllLogs(contest.logs, contest.texts, Options());
  EXPECT_EQ(contest.Of(verdicts, "UT1AA", 1), Verdict::kConfirmed);
  EXPECT_EQ(verdicts[0].qsos[0].otherQso, 0u);
  EXPECT_EQ(contest.Of(verdicts, "UT1AA", 2), Verdict::kDupe);
}

TEST(CheckAllLogsTest, BustedCallIsTheStationThatLoggedThisOneWithTheSerialReceived) {
  // Two stations one edit from the call logged, both with this station at
  // that time: the serial received decides, else the calls' order, in
  // either order of the logs.
  const struct {
    const char* serialOfBb;
    const char* serialOfBc;
    const char* expected;
  } cases[] = {{"5BB", "6BC", "UT2BB"}, {"6BB", "5BC", "UT2BC"}, {"5BB", "5BC", "UT2BB"}};
  for (const auto& c : cases) {
    for (const bool reversed : {false, true}) {
      Contest contest;
      contest.Side("UT1AA", "UT2BX", 30, "1KI", "5BB");
      contest.Side("UT2BB", "UT1AA", 30, c.serialOfBb, "1KI");
      contest.Side("UT2BC", "UT1AA", 30, c.serialOfBc, "1KI");
      if (reversed) std::reverse(contest.logs.begin(), contest.logs.end());
      const auto verdicts = CheckAllLogs(contest.logs, contest.texts, Options());
      const size_t ut1aa = reversed ? 2 : 0;
      EXPECT_EQ(verdicts[ut1aa].qsos[0].verdict, Verdict::kBustedCall);
      EXPECT_EQ(verdicts[ut1aa].qsos[0].correct, c.expected) << c.serialOfBb << " " << reversed;
    }
  }
}

TEST(CheckAllLogsTest, ClockCorrectionFromTheLowerMedianAndTwoMinutesUp) {
  // Six stations whose QSOs with UT1AA are these minutes apart.
  const struct {
    std::vector<long long> apart;
    long long offset;
  } cases[] = {{{2, 2, 2, 2, 2, 2}, 2},
               {{1, 1, 1, 1, 1, 1}, 0},
               {{-2, -2, -2, -2, -2, -2}, -2},
               {{0, 0, 0, 4, 4, 4}, 0},
               {{3, 3, 3, 9, 9, 9}, 3}};
  for (const auto& c : cases) {
    Contest contest;
    const char* others[] = {"UT2BB", "UT3CC", "UT4DD", "UT5EE", "UT6FF", "UT7GG"};
    for (size_t i = 0; i < c.apart.size(); ++i) {
      contest.Both(others[i], "UT1AA", 20 * static_cast<long long>(i) + 10, c.apart[i]);
    }
    const auto verdicts = CheckAllLogs(contest.logs, contest.texts, Options());
    for (size_t i = 0; i < contest.logs.size(); ++i) {
      if (contest.logs[i].call == "UT1AA") {
        EXPECT_EQ(verdicts[i].clockOffset, c.offset) << ::testing::PrintToString(c.apart);
      }
    }
  }
}

TEST(CheckAllLogsTest, ClockCorrectedFromFiveQsosMatchedBothWays) {
  for (const int qsos : {4, 5}) {
    Contest contest;
    const char* others[] = {"UT2BB", "UT3CC", "UT4DD", "UT5EE", "UT6FF"};
    for (int i = 0; i < qsos; ++i) contest.Both(others[i], "UT1AA", 20 * i + 10, 9);
    const auto verdicts = CheckAllLogs(contest.logs, contest.texts, Options());
    const size_t ut1aa = std::find_if(contest.logs.begin(), contest.logs.end(),
                                      [](const CheckLog& l) { return l.call == "UT1AA"; }) -
                         contest.logs.begin();
    EXPECT_EQ(verdicts[ut1aa].clockOffset, qsos >= 5 ? 9 : 0) << qsos << " QSOs";
    EXPECT_EQ(contest.Of(verdicts, "UT1AA", 1),
              qsos >= 5 ? Verdict::kConfirmed : Verdict::kTimeMismatch);
  }
}

// A random contest: stations that log and some that do not, QSOs both
// sides log, busted calls and exchanges, forgotten QSOs and jitter.
Contest RandomContest(unsigned seed) {
  std::mt19937 random(seed);
  const std::vector<std::string> calls = {"UT1AA", "UT2BB", "UT3CC", "UT4DD", "UR5EE",
                                          "UR6FF", "US7GG", "UX8HH", "UT9JJ", "UT2BC"};
  Contest contest;
  for (size_t i = 0; i < 7; ++i) contest.Log(calls[i]);
  std::uniform_int_distribution<size_t> pick(0, calls.size() - 1);
  std::uniform_int_distribution<int> minute(0, 479);
  std::uniform_int_distribution<int> percent(0, 99);
  const char* bands[] = {"80m", "40m", "20m"};
  for (int n = 0; n < 300; ++n) {
    const std::string a = calls[pick(random)];
    const std::string b = calls[pick(random)];
    if (a == b) continue;
    const long long at = minute(random);
    const std::string band = bands[percent(random) % 3];
    const std::string mode = percent(random) < 70 ? "CW" : "SSB";
    const std::string sentA = std::to_string(n) + contest.Code(a);
    const std::string sentB = std::to_string(n + 1000) + contest.Code(b);
    const bool aLogs = std::find(calls.begin(), calls.begin() + 7, a) != calls.begin() + 7;
    const bool bLogs = std::find(calls.begin(), calls.begin() + 7, b) != calls.begin() + 7;
    const int fault = percent(random);
    if (aLogs) {
      const std::string heard = fault < 5 ? b.substr(0, 4) + "X" : b;
      const std::string rcvd = fault >= 5 && fault < 8 ? "9" + sentB : sentB;
      contest.Side(a, heard, at, sentA, rcvd, band, mode);
    }
    if (bLogs && (fault < 10 || fault >= 13))
      contest.Side(b, a, at + percent(random) % 3 - 1, sentB, sentA, band, mode);
  }
  return contest;
}

using VerdictTable = std::map<std::pair<std::string, size_t>, Verdict>;

VerdictTable TableOf(const std::vector<CheckLog>& logs, const std::vector<LogVerdicts>& verdicts) {
  VerdictTable table;
  for (size_t i = 0; i < logs.size(); ++i) {
    EXPECT_EQ(verdicts[i].qsos.size(), logs[i].qsos.size()) << logs[i].call;
    for (size_t j = 0; j < logs[i].qsos.size(); ++j) {
      table[{logs[i].call, logs[i].qsos[j].line}] = verdicts[i].qsos[j].verdict;
    }
  }
  return table;
}

TEST(CheckAllLogsTest, SameVerdictsWhateverTheOrderOfLogsAndLines) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    const Contest contest = RandomContest(seed);
    const VerdictTable expected =
        TableOf(contest.logs, CheckAllLogs(contest.logs, contest.texts, Options()));
    std::set<Verdict> seen;
    for (const auto& [key, verdict] : expected) seen.insert(verdict);
    for (Verdict v : {Verdict::kConfirmed, Verdict::kNil, Verdict::kBustedCall,
                      Verdict::kBustedExchange, Verdict::kUnconfirmed}) {
      EXPECT_EQ(seen.count(v), 1u) << "seed " << seed << " lacks " << VerdictName(v);
    }
    std::vector<CheckLog> shuffled = contest.logs;
    std::mt19937 random(seed);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    for (CheckLog& log : shuffled) std::shuffle(log.qsos.begin(), log.qsos.end(), random);
    EXPECT_EQ(TableOf(shuffled, CheckAllLogs(shuffled, contest.texts, Options())), expected)
        << "seed " << seed;
  }
}

TEST(CheckAllLogsTest, RemovingALogCreatesNoNilForOthers) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    const Contest contest = RandomContest(seed);
    const VerdictTable all =
        TableOf(contest.logs, CheckAllLogs(contest.logs, contest.texts, Options()));
    for (size_t removed = 0; removed < contest.logs.size(); ++removed) {
      std::vector<CheckLog> fewer = contest.logs;
      fewer.erase(fewer.begin() + static_cast<long>(removed));
      for (const auto& [key, verdict] :
           TableOf(fewer, CheckAllLogs(fewer, contest.texts, Options()))) {
        if (verdict == Verdict::kNil) {
          EXPECT_EQ(all.at(key), Verdict::kNil)
              << key.first << " line " << key.second << " without " << contest.logs[removed].call;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tools
