// Generated logs replayed through the plug-in's exports and through the
// linear model of the rules side by side, with the host's other moves mixed
// in: re-offers after results, removals, odd date-times, call checks, an
// error report deleted behind the plug-in's back. Results text, error
// report, Cabrillo QSO lines and every return value must agree.

#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "cabrillo/cabrillo_export.h"
#include "cabrillo/cabrillo_log.h"
#include "platform/plugin/clock.h"
#include "tests/contract_calls.h"
#include "tests/generated_logs.h"
#include "tests/reference_model.h"
#include "tests/test_support.h"

using cabrillo::CCabrilloLog;
using cabrillo::CabrilloMode;
using platform::COleDateTime;
using stats::CInfo;
using stats::CallProbe;
using stats::ResetInput;

namespace {

namespace fs = std::filesystem;
using testing_support::GeneratedLog;
using testing_support::LinearModel;
using testing_support::LogKind;
using testing_support::OwnedQso;
using testing_support::PluginUnderTest;

struct LogCase {
  const char* name;
  LogKind kind;
  uint32_t seed;
  std::size_t count;
  int32_t cabrilloFlag;
};

// "QSO: " lines and the claimed score of a Cabrillo log, in file order.
std::vector<std::string> CabrilloLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("QSO: ", 0) == 0 || line.rfind("CLAIMED-SCORE: ", 0) == 0) {
      lines.push_back(line + "\n");
    }
  }
  return lines;
}

class ExportEquivalenceTest : public ::testing::TestWithParam<LogCase> {
 protected:
  // Both sides start from the same last tour: a refused QSO at the contest
  // start sets it, and the reset after it starts a fresh error report.
  void Reset() {
    OwnedQso refused = m_log.qsos.front();
    refused.time = m_log.start;
    refused.mode = "RTTY";
    ResetBoth();
    Offer(refused, false);
    ResetBoth();
  }

  void ResetBoth() {
    ResetInput in;
    in.cabrilloFlag = GetParam().cabrilloFlag;
    in.start = m_log.start;
    in.ownMultCode = m_log.ownMultCode;
    in.ownGroupCode = m_log.ownGroupCode;
    const StatsDateTime start{in.start.m_dt, in.start.m_status};
    ASSERT_EQ(testing_support::Reset(m_p, in.cabrilloFlag, m_log.ownCall.c_str(), start,
                                     in.ownMultCode.c_str(), in.ownGroupCode.c_str()),
              m_model.Reset(in));
  }

  void Offer(OwnedQso q, bool nullPointer) {
    const int32_t got = testing_support::Add(m_p, testing_support::CallArgsOf(q, nullPointer));
    if (nullPointer) q.time = COleDateTime(0.0, COleDateTime::null);
    ASSERT_EQ(got, m_model.Add(testing_support::InputOf(q)))
        << q.call << " " << q.mode << " " << q.band;
    ASSERT_TRUE(fs::exists("err.txt")) << "after every AddData0";
  }

  // An offered QSO, sometimes with a date-time that the host may pass too.
  OwnedQso Disturbed(OwnedQso q, bool* nullPointer) {
    *nullPointer = false;
    switch (m_random() % 60) {
      case 0:
        *nullPointer = true;
        break;
      case 1:
        q.time = COleDateTime(q.time.m_dt, COleDateTime::null);
        break;
      case 2:
        q.time = COleDateTime(q.time.m_dt, COleDateTime::invalid);
        break;
      case 3:
        q.time = COleDateTime(std::nan(""), COleDateTime::valid);
        break;
      case 4:
        q.time = COleDateTime(m_random() % 2 ? 0.0 : -0.0, COleDateTime::valid);
        break;
      case 5:
        q.exchSent.clear();
        break;
      default:
        break;
    }
    return q;
  }

  void CompareCheck(const OwnedQso& q, const std::string& mode) {
    const platform::UtcTime before = platform::SystemClock().NowUtc();
    const int32_t got = testing_support::Check(m_p, q.call.c_str(), mode.c_str(),
                                               q.multCode.c_str(), q.band.c_str());
    const platform::UtcTime after = platform::SystemClock().NowUtc();
    if (before.hour != after.hour || before.minute != after.minute) return;
    ++m_checks;
    ASSERT_EQ(got, m_model.CheckCall(CallProbe{q.call, mode, q.multCode, q.band}, before))
        << q.call << " " << mode << " " << q.band << " at " << before.hour << ":" << before.minute;
  }

  void CompareResults() {
    std::string expected;
    const int32_t score = m_model.Results(&expected);
    int32_t got = 12345;
    const std::string text = m_p.GetResult0(&got);
    ASSERT_EQ(text.substr(0, expected.size()), expected);
    if (m_credit.empty()) m_credit = text.substr(expected.size());
    ASSERT_EQ(text.substr(expected.size()), m_credit);
    ASSERT_EQ(got, GetParam().cabrilloFlag != 0 ? -1 : score);
    ASSERT_EQ(testing_support::ReadFile("err.txt"), m_model.ErrorReport());
    if (GetParam().cabrilloFlag == 0) return;

    CCabrilloLog cabrillo;
    cabrillo.m_callsign = m_log.ownCall;
    for (const CInfo& r : m_model.Store()) {
      cabrillo.AddQsoLine(r.m_call, r.m_freqKHz, CabrilloMode(r.m_mode), r.m_time, r.m_rstSent,
                          r.m_exchSent, r.m_rstRcvd, r.m_exchRcvd, r.m_points, r.m_multBand,
                          r.m_serial);
    }
    ASSERT_EQ(CabrilloLines(testing_support::ReadFile(m_log.ownCall + ".cbr")),
              CabrilloLines(cabrillo.LogText(score, "")));
  }

  PluginUnderTest& m_p = PluginUnderTest::Get();
  testing_support::ScopedWorkDir m_dir;
  GeneratedLog m_log = testing_support::GenerateLog(
      GetParam().kind, GetParam().seed, GetParam().count, testing_support::TwoHoursAgo());
  LinearModel m_model;
  std::mt19937 m_random{GetParam().seed};
  std::string m_credit;
  int m_checks = 0;
};

TEST_P(ExportEquivalenceTest, ReplayMatchesTheLinearRules) {
  ASSERT_GT(m_log.qsos.size(), 100u);
  Reset();
  const std::size_t checkpoint = m_log.qsos.size() / 7;
  for (std::size_t i = 0; i < m_log.qsos.size(); ++i) {
    bool nullPointer;
    const OwnedQso q = Disturbed(m_log.qsos[i], &nullPointer);
    if (m_random() % 100 == 0) {
      fs::remove("err.txt");
      m_model.ErrorReportDeleted();
    }
    Offer(q, nullPointer);
    if (HasFatalFailure()) return;

    const OwnedQso& earlier = m_log.qsos[m_random() % (i + 1)];
    const unsigned move = m_random() % 100;
    if (move < 2) {
      Offer(earlier, false);
    } else if (move == 2) {
      // Twins by record equality: +0.0 and -0.0, or two null date-times.
      OwnedQso twin = earlier;
      const int32_t status = m_random() % 2 ? COleDateTime::null : COleDateTime::valid;
      twin.time = COleDateTime(status == COleDateTime::null ? 1.0 : 0.0, status);
      Offer(twin, false);
      twin.time = COleDateTime(status == COleDateTime::null ? 2.0 : -0.0, status);
      Offer(twin, false);
    } else if (move < 5) {
      OwnedQso gone = earlier;
      if (move == 4 && m_random() % 4 == 0) gone.exchRcvd.clear();
      ASSERT_EQ(testing_support::Remove(m_p, testing_support::CallArgsOf(gone, false)),
                m_model.Remove(testing_support::InputOf(gone)));
    } else if (move < 15) {
      CompareCheck(earlier, earlier.mode);
      CompareCheck(earlier, earlier.mode == "CW" ? "SSB" : "CW");
      OwnedQso stranger = earlier;
      stranger.call += "/P";
      CompareCheck(stranger, stranger.mode);
    }
    if (HasFatalFailure()) return;
    if ((i + 1) % checkpoint == 0) CompareResults();
    if (HasFatalFailure()) return;
  }
  CompareResults();
  EXPECT_GT(m_checks, 0);
}

INSTANTIATE_TEST_SUITE_P(Logs, ExportEquivalenceTest,
                         ::testing::Values(LogCase{"Sparse1", LogKind::kSparse, 1, 2000, 0},
                                           LogCase{"Sparse2", LogKind::kSparse, 2, 2000, 1},
                                           LogCase{"Sparse3", LogKind::kSparse, 3, 1500, 0},
                                           LogCase{"Dense1", LogKind::kDense, 1, 3000, 1},
                                           LogCase{"Dense2", LogKind::kDense, 2, 3000, 0},
                                           LogCase{"Dense3", LogKind::kDense, 3, 2000, 1}),
                         [](const ::testing::TestParamInfo<LogCase>& info) {
                           return info.param.name;
                         });

}  // namespace
