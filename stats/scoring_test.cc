#include "stats/scoring.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/contest_fixture.h"
#include "tests/fake_settings.h"

namespace stats {
namespace {

const char kHead[] = "\t\tCQ UT  Contest\r\n\tQSOs\tPoints\tCW\tSSB\r\n";

CInfo Record(const char* call, const char* band, const char* mode, const char* key,
             const char* group, const char* exchRcvd, const char* exchSent) {
  CInfo r;
  r.m_call = call;
  r.m_band = band;
  r.m_mode = mode;
  r.m_multKey = key;
  r.m_group = group;
  r.m_exchRcvd = exchRcvd;
  r.m_exchSent = exchSent;
  return r;
}

class ScoringTest : public ::testing::Test {
 protected:
  ScoringTest() {
    m_f.ownMultCode = "AB";
    m_f.ownGroupCode = "G1";
  }
  void Add(const CInfo& r) {
    m_f.store.Append(r);
    m_f.bands.AddIfNew(r.m_band);
  }
  int32_t Run() { return ComputeResults(m_f.contest, "credit", m_settings, &m_text); }

  testing_support::ContestFixture m_f;
  testing_support::FakeSettingsFile m_settings;
  std::string m_text;
};

TEST_F(ScoringTest, WorkedExample) {
  m_f.lastTour = 2;
  Add(Record("UT1A", "20m", "CW", "AB2", "G1", "015CD", "001AB"));
  Add(Record("UT2B", "20m", "SSB", "CD1", "G1", "RT", "007AB"));
  Add(Record("UT3C", "20m", "CW", "AB1", "G1", "020EF", "002AB"));
  Add(Record("UT4D", "80m", "CW", "XY2", "G2", "003GH", "003AB"));
  Add(Record("", "80m", "SSB", "XY2", "G2", "004GH", "004AB"));
  Add(Record("UT6F", "20m", "SSB", "AB2", "G1", "012XY", "005AB"));

  EXPECT_EQ(Run(), 295);
  EXPECT_EQ(m_text, std::string(kHead) +
                        "80m\t 1\t 143\t 1\t 0\r\n"
                        "20m\t 4\t 152\t 2\t 2\r\n"
                        "Total\t 6\t 295\t 3\t 2\r\n"
                        "\r\nScore:  = 295\r\ncredit");
  struct Expected {
    int32_t points, multBand, serial;
  };
  const Expected expected[] = {{10, 20, 15}, {30, 20, 7},  {30, 20, 20},
                               {60, 80, 3},  {-1, -1, -1}, {10, -1, 12}};
  for (std::size_t i = 0; i < 6; ++i) {
    const CInfo& r = m_f.store.At(i);
    EXPECT_EQ(r.m_points, expected[i].points) << "record " << i + 1;
    EXPECT_EQ(r.m_multBand, expected[i].multBand) << "record " << i + 1;
    EXPECT_EQ(r.m_serial, expected[i].serial) << "record " << i + 1;
  }
  ASSERT_EQ(m_settings.writes.size(), 1u);
  EXPECT_EQ(m_settings.writes[0].path, "Plugins\\TAVIN.ini");
  EXPECT_EQ(m_settings.writes[0].section, "Settings");
  EXPECT_EQ(m_settings.writes[0].key, "Claimed");
  EXPECT_EQ(m_settings.writes[0].value, "295");
}

TEST_F(ScoringTest, EmptyStore) {
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(m_text, std::string(kHead) + "Total\t 0\t 0\t 0\t 0\r\n\r\nScore:  = 0\r\ncredit");
  ASSERT_EQ(m_settings.writes.size(), 1u);
  EXPECT_EQ(m_settings.writes[0].value, "0");
}

TEST_F(ScoringTest, FailedSettingsWriteChangesNothingElse) {
  m_settings.failWrites = true;
  Add(Record("UT4D", "80m", "CW", "XY0", "G2", "003GH", "003AB"));
  EXPECT_EQ(Run(), 143);
}

TEST_F(ScoringTest, BandWithoutQsosKeepsAZeroRow) {
  m_f.bands.AddIfNew("40m");
  Add(Record("UT4D", "80m", "CW", "XY0", "G2", "003GH", "003AB"));
  Run();
  EXPECT_EQ(m_text, std::string(kHead) +
                        "80m\t 1\t 143\t 1\t 0\r\n40m\t 0\t 0\t 0\t 0\r\n"
                        "Total\t 1\t 143\t 1\t 0\r\n\r\nScore:  = 143\r\ncredit");
}

TEST_F(ScoringTest, UnknownBandHasNoWeightButItsPointsCount) {
  Add(Record("UT4D", "160m", "CW", "XY0", "G2", "003GH", "003AB"));
  Add(Record("UT5E", "160m", "CW", "XZ0", "G2", "009GH", "003AB"));
  EXPECT_EQ(Run(), 129);  // 60 + 60 + last serial 9
  EXPECT_EQ(m_f.store.At(0).m_multBand, 0);
}

TEST_F(ScoringTest, SameKeyCountsOncePerBand) {
  Add(Record("UT1A", "40m", "CW", "XY0", "G2", "001", "1"));
  Add(Record("UT2B", "40m", "SSB", "XY0", "G2", "002", "1"));
  Add(Record("UT3C", "10m", "CW", "XY0", "G2", "003", "1"));
  // 40m: 40 + 120 + 2; 10m: 10 + 60 + 3.
  EXPECT_EQ(Run(), 162 + 73);
  EXPECT_EQ(m_f.store.At(0).m_multBand, 40);
  EXPECT_EQ(m_f.store.At(1).m_multBand, -1);
  EXPECT_EQ(m_f.store.At(2).m_multBand, 10);
}

struct SerialCase {
  const char* exchRcvd;
  const char* exchSent;
  int32_t serial;
};

class SerialTest : public ScoringTest, public ::testing::WithParamInterface<SerialCase> {};

TEST_P(SerialTest, TakesTheNumberOfTheExchange) {
  Add(Record("UT1A", "NONE", "CW", "K0", "G1", GetParam().exchRcvd, GetParam().exchSent));
  Run();
  EXPECT_EQ(m_f.store.At(0).m_serial, GetParam().serial);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SerialTest,
    ::testing::Values(SerialCase{"015CD", "007AB", 15}, SerialCase{"RT", "007AB", 7},
                      SerialCase{"rt", "007AB", 0}, SerialCase{"CD", "007AB", 0},
                      SerialCase{"RT ", "007AB", 0}, SerialCase{"99999999999CD", "1", 2147483647}));

// Each QSO scores 60 points on a band of no weight, plus its band's last
// serial: sums beyond the 32-bit range stop at its ends.
TEST(ScoringClampTest, ScoreStopsAtTheEndsOfThe32BitRange) {
  const struct {
    std::vector<const char*> serials;  // one QSO each, each on a band of its own
    int32_t score;
  } cases[] = {
      {{"2147483587"}, INT32_MAX},
      {{"99999999999"}, INT32_MAX},
      {{"99999999999", "99999999999"}, INT32_MAX},
      {{"-99999999999"}, INT32_MIN + 60},
      {{"-99999999999", "-99999999999"}, INT32_MIN},
  };
  for (const auto& c : cases) {
    testing_support::ContestFixture f;
    testing_support::FakeSettingsFile settings;
    for (size_t i = 0; i < c.serials.size(); ++i) {
      const std::string band = "NONE" + std::to_string(i);
      f.store.Append(Record("UT1A", band.c_str(), "CW", "K0", "G2", c.serials[i], "1"));
      f.bands.AddIfNew(band);
    }
    std::string text;
    EXPECT_EQ(ComputeResults(f.contest, "", settings, &text), c.score) << c.serials[0];
    EXPECT_NE(text.find("Score:  = " + std::to_string(c.score) + "\r\n"), std::string::npos)
        << text;
  }
}

struct OrderCase {
  std::vector<std::string> firstSeen;
  std::vector<std::string> sorted;
};

class BandOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(BandOrderTest, SortsDescendingByZeroPaddedLabel) {
  BandList bands;
  for (const std::string& label : GetParam().firstSeen) bands.AddIfNew(label);
  SortBands(bands);
  std::vector<std::string> got;
  for (std::size_t i = 0; i < bands.Count(); ++i) got.push_back(bands.At(i));
  EXPECT_EQ(got, GetParam().sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, BandOrderTest,
    ::testing::Values(OrderCase{{"10m", "80m", "40m"}, {"80m", "40m", "10m"}},
                      OrderCase{{"10m", "15m", "20m", "40m", "80m"},
                                {"80m", "40m", "20m", "15m", "10m"}},
                      OrderCase{{"80m", "160m", "30m", "40m"}, {"160m", "80m", "40m", "30m"}},
                      OrderCase{{"20M", "20m"}, {"20m", "20M"}},
                      OrderCase{{"a-label-of-twenty-one", "80m"}, {"a-label-of-twenty-one", "80m"}},
                      OrderCase{{}, {}}));

TEST_F(ScoringTest, BandOrderStaysAfterTheRequest) {
  for (const char* band : {"10m", "80m", "40m"})
    Add(Record("UT1A", band, "CW", "K0", "G1", "1", "1"));
  Run();
  Add(Record("UT1A", "20m", "CW", "K0", "G1", "1", "1"));
  EXPECT_EQ(m_f.bands.At(0), "80m");
  EXPECT_EQ(m_f.bands.At(2), "10m");
  EXPECT_EQ(m_f.bands.At(3), "20m") << "a new band goes to the end until the next request";
}

}  // namespace
}  // namespace stats
