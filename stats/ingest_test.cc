#include "stats/ingest.h"

#include <gtest/gtest.h>

#include "tests/contest_fixture.h"
#include "tests/sample_qso.h"
#include "tests/test_support.h"

using platform::COleDateTime;

namespace stats {
namespace {

using testing_support::ContestDay;
using testing_support::ReadFile;

const char kHeader[] = "CQ UT CONTEST UBN file \r\n";

// kSampleQso with another call, time, mode and band.
QsoInput Qso(std::string_view call, double time, std::string_view mode = "CW",
             std::string_view band = "20m") {
  struct ValueOf {
    std::string_view operator()(const char* text) const { return text; }
    COleDateTime operator()(double day) const { return COleDateTime(day, COleDateTime::valid); }
    uint32_t operator()(uint32_t value) const { return value; }
  };
  QsoInput q;
  ConvertQso(testing_support::kSampleQso, &q, ValueOf{});
  q.call = call;
  q.time = ValueOf{}(time);
  q.mode = mode;
  q.band = band;
  return q;
}

class IngestTest : public ::testing::Test {
 protected:
  void Reset(int startHour) {
    ResetInput in;
    in.start = COleDateTime(ContestDay(startHour), COleDateTime::valid);
    in.ownMultCode = "AB";
    in.ownGroupCode = "G1";
    EXPECT_EQ(ResetContest(m_f.contest, in, m_report), 1);
  }

  testing_support::ScopedWorkDir m_dir;
  testing_support::ContestFixture m_f;
  ErrorReport m_report{"err.txt", platform::SystemFileAppender()};
};

TEST_F(IngestTest, ResetStartsTheReportAndTakesTheContestValues) {
  testing_support::WriteFile("err.txt", "old lines\r\n");
  ASSERT_EQ(AddQso(m_f.contest, Qso("UR5AA", ContestDay(1)), m_report), 1);
  Reset(12);
  EXPECT_EQ(ReadFile("err.txt"), kHeader);
  EXPECT_EQ(m_f.startHour, 12);
  EXPECT_EQ(m_f.store.Count(), 0u);
  EXPECT_EQ(m_f.bands.Count(), 0u);
  EXPECT_EQ(m_f.ownMultCode, "AB");
  EXPECT_EQ(m_f.ownGroupCode, "G1");
  EXPECT_EQ(m_f.lastTour, 1) << "reset leaves the last tour alone";
}

struct RefusalCase {
  const char* mode;
  const char* exchSent;
  const char* exchRcvd;
  const char* reason;
};

const char kNoTestMode[] = "   NO TEST MODE !!!";
const char kNoRxNumber[] = "   NO RX NUMBER !!!";

class RefusalTest : public IngestTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, WritesOneLineAndStoresNothing) {
  const RefusalCase& c = GetParam();
  Reset(12);
  QsoInput q = Qso("UR5AA", ContestDay(13, 7), c.mode);
  q.exchSent = c.exchSent;
  q.exchRcvd = c.exchRcvd;
  EXPECT_EQ(AddQso(m_f.contest, q, m_report), 0);
  // Fields two blanks apart, empty ones too: an empty received exchange
  // leaves five blanks between the received report and the reason.
  EXPECT_EQ(ReadFile("err.txt"), std::string(kHeader) + "QSO:  14025  " + c.mode +
                                     "  2026-12-19 1307  UT1AA  599  " + c.exchSent +
                                     "  UR5AA  579  " + c.exchRcvd + c.reason + "\r\n");
  EXPECT_EQ(m_f.store.Count(), 0u);
  EXPECT_EQ(m_f.bands.Count(), 0u);
  EXPECT_EQ(m_f.lastTour, 1);
}

INSTANTIATE_TEST_SUITE_P(Rules, RefusalTest,
                         ::testing::Values(RefusalCase{"cw", "001AB", "015CD", kNoTestMode},
                                           RefusalCase{"Cw", "001AB", "015CD", kNoTestMode},
                                           RefusalCase{"", "001AB", "015CD", kNoTestMode},
                                           // Both rules broken: only the mode is reported.
                                           RefusalCase{"RTTY", "", "", kNoTestMode},
                                           RefusalCase{"SSB", "", "015CD", kNoRxNumber},
                                           RefusalCase{"CW", "001AB", "", kNoRxNumber}));

TEST_F(IngestTest, ReportShowsInvalidAndNullTimes) {
  Reset(0);
  QsoInput q = Qso("UR5AA", 0.0, "AM");
  q.time = COleDateTime(45000.5, COleDateTime::invalid);
  AddQso(m_f.contest, q, m_report);
  q.time = COleDateTime(45000.5, COleDateTime::null);
  AddQso(m_f.contest, q, m_report);
  EXPECT_EQ(ReadFile("err.txt"),
            std::string(kHeader) +
                "QSO:  14025  AM  Invalid DateTime  UT1AA  599  001AB  UR5AA  579  "
                "015CD   NO TEST MODE !!!\r\n"
                "QSO:  14025  AM    UT1AA  599  001AB  UR5AA  579  015CD   NO TEST MODE !!!\r\n");
}

TEST_F(IngestTest, FillsTheRecord) {
  Reset(12);
  QsoInput q = Qso("UR5AA", ContestDay(14, 25));
  q.freqHz = 7012345;
  ASSERT_EQ(AddQso(m_f.contest, q, m_report), 1);
  ASSERT_EQ(m_f.store.Count(), 1u);
  const CInfo& r = m_f.store.At(0);
  EXPECT_EQ(r.m_call, "UR5AA");
  EXPECT_EQ(r.m_multKey, "CD2");
  EXPECT_EQ(r.m_tour, 2);
  EXPECT_EQ(r.m_freqKHz, 7012);
  EXPECT_EQ(r.m_group, "G1");
  EXPECT_EQ(r.m_rstSent, "599");
  EXPECT_EQ(r.m_rstRcvd, "579");
  EXPECT_EQ(r.m_exchSent, "001AB");
  EXPECT_EQ(r.m_exchRcvd, "015CD");
  EXPECT_EQ(r.m_points, -1);
  EXPECT_EQ(r.m_multBand, -1);
  EXPECT_EQ(r.m_serial, -1);
  EXPECT_EQ(r.m_reserved, -1);
  EXPECT_TRUE(r.m_time == q.time);
  EXPECT_EQ(m_f.lastTour, 2);
  EXPECT_EQ(ReadFile("err.txt"), kHeader);
}

TEST_F(IngestTest, SmallFrequencyAndEarlyTimeGiveZero) {
  Reset(12);
  QsoInput q = Qso("UR5AA", ContestDay(11, 59));
  q.freqHz = 999;
  ASSERT_EQ(AddQso(m_f.contest, q, m_report), 1);
  EXPECT_EQ(m_f.store.At(0).m_freqKHz, 0);
  EXPECT_EQ(m_f.store.At(0).m_tour, 0);
  EXPECT_EQ(m_f.store.At(0).m_multKey, "CD0");
}

TEST_F(IngestTest, StoresAQsoOnceUntilItIsScored) {
  Reset(12);
  const QsoInput q = Qso("UR5AA", ContestDay(12, 5));
  EXPECT_EQ(AddQso(m_f.contest, q, m_report), 1);
  EXPECT_EQ(AddQso(m_f.contest, q, m_report), 1);
  EXPECT_EQ(m_f.store.Count(), 1u);
  EXPECT_EQ(m_f.bands.Count(), 1u);
  m_f.store.SetResults(0, 60, 20, 15);
  EXPECT_EQ(AddQso(m_f.contest, q, m_report), 1);
  EXPECT_EQ(m_f.store.Count(), 2u) << "a scored record differs from a fresh one";
}

TEST_F(IngestTest, InvalidTimeEqualsNothing) {
  Reset(0);
  QsoInput q = Qso("UR5AA", 0.0);
  q.time = COleDateTime(45000.5, COleDateTime::invalid);
  AddQso(m_f.contest, q, m_report);
  AddQso(m_f.contest, q, m_report);
  EXPECT_EQ(m_f.store.Count(), 2u);
  EXPECT_EQ(m_f.store.At(0).m_tour, 1) << "hour 0 with start hour 0";
  q.time = COleDateTime(45000.5, COleDateTime::null);
  AddQso(m_f.contest, q, m_report);
  AddQso(m_f.contest, q, m_report);
  EXPECT_EQ(m_f.store.Count(), 3u);
}

TEST_F(IngestTest, OtherCaseOfCallIsAnotherQso) {
  Reset(12);
  AddQso(m_f.contest, Qso("UR5AA", ContestDay(12)), m_report);
  AddQso(m_f.contest, Qso("ur5aa", ContestDay(12)), m_report);
  EXPECT_EQ(m_f.store.Count(), 2u);
}

TEST_F(IngestTest, RemovesTheEarliestMatchOnly) {
  Reset(12);
  AddQso(m_f.contest, Qso("UR5AA", ContestDay(12)), m_report);
  AddQso(m_f.contest, Qso("UR5AA", ContestDay(14)), m_report);
  AddQso(m_f.contest, Qso("UR5AA", ContestDay(14), "SSB"), m_report);
  ASSERT_EQ(m_f.store.Count(), 3u);

  QsoInput removal = Qso("UR5AA", 0.0);
  removal.exchRcvd = "";
  EXPECT_EQ(RemoveQso(m_f.contest, removal), 0);
  EXPECT_EQ(m_f.store.Count(), 3u);

  removal = Qso("UR5AA", 0.0);
  removal.multCode = "ZZ";  // removal compares call, mode and band only
  EXPECT_EQ(RemoveQso(m_f.contest, removal), 1);
  ASSERT_EQ(m_f.store.Count(), 2u);
  EXPECT_EQ(m_f.store.At(0).m_tour, 2);
  EXPECT_EQ(m_f.store.At(1).m_mode, "SSB");

  EXPECT_EQ(RemoveQso(m_f.contest, Qso("UR5AA", 0.0, "CW", "40m")), 1);
  EXPECT_EQ(m_f.store.Count(), 2u);
  EXPECT_EQ(m_f.bands.Count(), 1u);
  EXPECT_EQ(ReadFile("err.txt"), kHeader);
}

TEST_F(IngestTest, AcceptedQsoCreatesAMissingReport) {
  AddQso(m_f.contest, Qso("UR5AA", ContestDay(12)), m_report);
  EXPECT_TRUE(std::filesystem::exists("err.txt"));
  EXPECT_EQ(ReadFile("err.txt"), "");
}

}  // namespace
}  // namespace stats
