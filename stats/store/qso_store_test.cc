#include "stats/store/qso_store.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

using platform::COleDateTime;

namespace stats {
namespace {

CInfo Qso(const char* call, const char* mode = "CW", const char* band = "20m",
          const char* key = "CD1") {
  CInfo r;
  r.m_call = call;
  r.m_mode = mode;
  r.m_band = band;
  r.m_multKey = key;
  r.m_exchRcvd = "015CD";
  r.m_exchSent = "001AB";
  r.m_time = COleDateTime(46375.5, COleDateTime::valid);
  return r;
}

struct EqualityCase {
  const char* name;
  std::function<void(CInfo&)> changeStored;
  std::function<void(CInfo&)> changeProbe;
  bool found;
};

class FindEqualTest : public ::testing::TestWithParam<EqualityCase> {};

TEST_P(FindEqualTest, AgreesWithRecordEquality) {
  const EqualityCase& c = GetParam();
  CInfo stored = Qso("UR5AA");
  c.changeStored(stored);
  CInfo probe = Qso("UR5AA");
  c.changeProbe(probe);
  ASSERT_EQ(stored == probe, c.found) << "the case itself is wrong";

  QsoStore store;
  store.Append(Qso("UT1ZZ"));
  store.Append(stored);
  EXPECT_EQ(store.FindEqual(probe), c.found ? 1 : QsoStore::kNotFound);
}

void Keep(CInfo&) {}

// A different value of each kind of field.
void Change(std::string& text) { text += "x"; }
void Change(int32_t& number) { number += 7; }
void Change(COleDateTime& time) { time.m_dt += 1.0; }

// Each field of the record changed alone.
const EqualityCase kEachField[] = {
#define STATS_RECORD_FIELD(member, view) \
  EqualityCase{#view, Keep, [](CInfo& r) { Change(r.member); }, false},
#include "stats/store/record_fields.def"
};

std::string CaseName(const ::testing::TestParamInfo<EqualityCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(EachField, FindEqualTest, ::testing::ValuesIn(kEachField), CaseName);

INSTANTIATE_TEST_SUITE_P(
    Fields, FindEqualTest,
    ::testing::Values(
        EqualityCase{"Same", Keep, Keep, true},
        EqualityCase{"CallCase", Keep, [](CInfo& r) { r.m_call = "ur5aa"; }, false},
        EqualityCase{"Points", [](CInfo& r) { r.m_points = 60; }, Keep, false},
        EqualityCase{"SameResults",
                     [](CInfo& r) {
                       r.m_points = 60;
                       r.m_serial = 15;
                     },
                     [](CInfo& r) {
                       r.m_points = 60;
                       r.m_serial = 15;
                     },
                     true},
        EqualityCase{"Invalid", [](CInfo& r) { r.m_time.m_status = COleDateTime::invalid; },
                     [](CInfo& r) { r.m_time.m_status = COleDateTime::invalid; }, false},
        EqualityCase{"ErrorStatus", [](CInfo& r) { r.m_time.m_status = COleDateTime::error; },
                     [](CInfo& r) { r.m_time.m_status = COleDateTime::error; }, false},
        EqualityCase{"NaN", [](CInfo& r) { r.m_time.m_dt = std::nan(""); },
                     [](CInfo& r) { r.m_time.m_dt = std::nan(""); }, false},
        EqualityCase{"SignedZeros", [](CInfo& r) { r.m_time.m_dt = 0.0; },
                     [](CInfo& r) { r.m_time.m_dt = -0.0; }, true},
        EqualityCase{"NullIgnoresValue",
                     [](CInfo& r) { r.m_time = COleDateTime(1.0, COleDateTime::null); },
                     [](CInfo& r) { r.m_time = COleDateTime(2.0, COleDateTime::null); }, true},
        EqualityCase{"NullAgainstValid", [](CInfo& r) { r.m_time.m_status = COleDateTime::null; },
                     Keep, false}),
    CaseName);

TEST(QsoStoreTest, FindsTheLowestIndexAfterRemovalsAndResults) {
  QsoStore store;
  store.Append(Qso("UR5AA"));
  store.Append(Qso("UT1ZZ"));
  store.Append(Qso("UR5AA"));  // equal to record 0
  store.Append(Qso("UR5AA", "SSB"));
  EXPECT_EQ(store.FindEqual(Qso("UR5AA")), 0);
  EXPECT_EQ(store.FindCallModeBand("UR5AA", "CW", "20m"), 0);

  store.SetResults(0, 60, 20, 15);
  EXPECT_EQ(store.FindEqual(Qso("UR5AA")), 2) << "a scored record differs";
  EXPECT_EQ(store.FindCallModeBand("UR5AA", "CW", "20m"), 0) << "results play no part";

  store.RemoveAt(0);
  EXPECT_EQ(store.FindEqual(Qso("UR5AA")), 1);
  EXPECT_EQ(store.FindCallModeBand("UR5AA", "CW", "20m"), 1);
  EXPECT_EQ(store.FindCallModeBand("UR5AA", "SSB", "20m"), 2);
  EXPECT_EQ(store.FindCallModeBand("UR5AA", "SSB", "40m"), QsoStore::kNotFound);
  EXPECT_EQ(store.FindCallModeBand("ur5aa", "SSB", "20m"), QsoStore::kNotFound);

  store.Append(Qso("UA9AA"));  // takes the freed place in memory, not in order
  ASSERT_EQ(store.Count(), 4u);
  EXPECT_EQ(store.At(0).m_call, "UT1ZZ");
  EXPECT_EQ(store.At(3).m_call, "UA9AA");
  EXPECT_EQ(store.FindEqual(Qso("UA9AA")), 3);
}

TEST(QsoStoreTest, VisitsOneCallOnOneBandInStoreOrderUntilYes) {
  QsoStore store;
  store.Append(Qso("UR5AA", "SSB"));
  store.Append(Qso("UR5AA", "CW", "40m"));
  store.Append(Qso("UT1ZZ"));
  store.Append(Qso("UR5AA", "CW"));
  store.Append(Qso("UR5AA", "RTTY"));
  const uint32_t cw = store.TextNumber(kMode, "CW");
  std::vector<uint32_t> seen;
  EXPECT_TRUE(store.AnyWithCallBand("UR5AA", "20m", [&](const CallFacts& f) {
    seen.push_back(f.mode);
    return f.mode == cw;
  }));
  EXPECT_EQ(seen, (std::vector<uint32_t>{store.TextNumber(kMode, "SSB"), cw}));
  auto any = [](const CallFacts&) { return true; };
  EXPECT_FALSE(store.AnyWithCallBand("UR5AA", "80m", any));
  EXPECT_FALSE(store.AnyWithCallBand("UR5A", "20m", any));
}

TEST(QsoStoreTest, BandKeysAndNumbersFollowTheRecords) {
  QsoStore store;
  store.Append(Qso("UR5AA", "CW", "20m", "CD1"));
  store.Append(Qso("UT1ZZ", "CW", "40m", "CD1"));
  store.Append(Qso("UT2ZZ", "SSB", "20m", "CD1"));
  const uint32_t none = QsoStore::kNoNumber;
  EXPECT_EQ(store.FindBandKeyNumber("20m", "CD1"), store.BandKeyNumberAt(2));
  EXPECT_EQ(store.FindBandKeyNumber("20m", "CD2"), none);
  EXPECT_EQ(store.FindBandKeyNumber("80m", "CD1"), none);
  EXPECT_EQ(store.BandNumberAt(0), store.BandNumberAt(2));
  EXPECT_NE(store.BandNumberAt(0), store.BandNumberAt(1));
  EXPECT_EQ(store.BandKeyNumberAt(0), store.BandKeyNumberAt(2));
  EXPECT_NE(store.BandKeyNumberAt(0), store.BandKeyNumberAt(1)) << "same key, other band";
  EXPECT_EQ(store.FindBandNumber("40m"), store.BandNumberAt(1));
  EXPECT_LT(store.BandKeyNumberAt(2), store.BandKeyNumberLimit());

  store.RemoveAt(1);
  EXPECT_EQ(store.FindBandNumber("40m"), QsoStore::kNoNumber);
  store.RemoveAt(0);
  EXPECT_NE(store.FindBandKeyNumber("20m", "CD1"), none) << "one holder is left";
  store.Clear();
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_EQ(store.FindBandKeyNumber("20m", "CD1"), none);
  EXPECT_EQ(store.FindEqual(Qso("UT2ZZ", "SSB")), QsoStore::kNotFound);
}

// Every field, date-times by their bits: At must give back what was stored.
bool SameFields(const CInfo& a, const CInfo& b) {
  CInfo aTimeless = a, bTimeless = b;
  aTimeless.m_time = bTimeless.m_time = COleDateTime();
  return aTimeless == bTimeless && a.m_time.m_status == b.m_time.m_status &&
         std::memcmp(&a.m_time.m_dt, &b.m_time.m_dt, sizeof a.m_time.m_dt) == 0;
}

// Random operations over few distinct texts, so that keys collide often,
// checked against a plain vector searched from index 0: the searches, the
// facts of a call's records on a band, and the records themselves. The texts
// differ only in case, trailing blanks or bytes above 127, and exchanges are
// kept in place up to fifteen bytes and in a pool beyond; the store is
// emptied now and then and filled again.
TEST(QsoStoreTest, MatchesLinearSearchesUnderRandomOperations) {
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](std::initializer_list<const char*> texts) {
      return *(texts.begin() + random() % texts.size());
    };
    auto draw = [&] {
      CInfo r = Qso(pick({"UR5AA", "UT1ZZ", "", "ur5aa", "UR5AA ",
                          "UR5\xC4"
                          "A"}),
                    pick({"CW", "SSB"}), pick({"20m", "40m", "20m "}),
                    pick({"CD1", "CD2", "AB1", "cd1"}));
      r.m_exchRcvd = pick({"015CD", "015cd", "015CD ", "000000000015CDX", "0000000000015CDX",
                           "0000000000015CDx", "\xC4\xC5", ""});
      r.m_group = pick({"G3", "g3", ""});
      const double times[] = {46375.5, 46375.5 + 31.0 / 1440, 0.0, -0.0, std::nan(""), 1e300};
      r.m_time = COleDateTime(times[random() % 6], random() % 8 == 0   ? COleDateTime::null
                                                   : random() % 8 == 0 ? COleDateTime::invalid
                                                                       : COleDateTime::valid);
      if (random() % 4 == 0) r.m_points = 60;
      // Tours beyond the few that the call check's facts pack in place.
      const int32_t tours[] = {0, 2, 30, 31, -1};
      r.m_tour = tours[random() % 5];
      return r;
    };
    QsoStore store;
    std::vector<CInfo> plain;
    for (int step = 0; step < 3000; ++step) {
      const unsigned op = random() % 100;
      if (op < 50 || plain.empty()) {
        const CInfo r = draw();
        store.Append(r);
        plain.push_back(r);
      } else if (op < 70) {
        const std::size_t at = random() % plain.size();
        store.RemoveAt(at);
        plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(at));
      } else if (op < 80) {
        const std::size_t at = random() % plain.size();
        store.SetResults(at, 60, -1, 7);
        plain[at].m_points = 60;
        plain[at].m_multBand = -1;
        plain[at].m_serial = 7;
      } else if (op < 81) {
        store.Clear();
        plain.clear();
      }
      const CInfo probe = draw();
      std::ptrdiff_t equal = QsoStore::kNotFound, callModeBand = QsoStore::kNotFound;
      bool bandKey = false;
      for (std::size_t i = plain.size(); i-- > 0;) {
        if (plain[i] == probe) equal = static_cast<std::ptrdiff_t>(i);
        if (plain[i].m_call == probe.m_call && plain[i].m_mode == probe.m_mode &&
            plain[i].m_band == probe.m_band) {
          callModeBand = static_cast<std::ptrdiff_t>(i);
        }
        bandKey |= plain[i].m_band == probe.m_band && plain[i].m_multKey == probe.m_multKey;
      }
      ASSERT_EQ(store.Count(), plain.size());
      ASSERT_EQ(store.FindEqual(probe), equal) << "seed " << seed << " step " << step;
      ASSERT_EQ(store.FindCallModeBand(probe.m_call, probe.m_mode, probe.m_band), callModeBand);
      ASSERT_EQ(store.FindBandKeyNumber(probe.m_band, probe.m_multKey) != QsoStore::kNoNumber,
                bandKey);
      std::vector<std::vector<int>> facts, plainFacts;
      store.AnyWithCallBand(probe.m_call, probe.m_band, [&](const CallFacts& f) {
        facts.push_back({static_cast<int>(f.mode), f.tour, f.Hour(), f.Minute()});
        return false;
      });
      for (const CInfo& r : plain) {
        if (r.m_call != probe.m_call || r.m_band != probe.m_band) continue;
        plainFacts.push_back({static_cast<int>(store.TextNumber(kMode, r.m_mode)), r.m_tour,
                              r.m_time.GetHour(), r.m_time.GetMinute()});
      }
      ASSERT_EQ(facts, plainFacts) << "seed " << seed << " step " << step;
    }
    for (std::size_t i = 0; i < plain.size(); ++i) {
      ASSERT_TRUE(SameFields(store.At(i), plain[i])) << "seed " << seed << " record " << i;
    }
  }
}

}  // namespace
}  // namespace stats
