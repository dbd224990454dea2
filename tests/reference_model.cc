#include "tests/reference_model.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "stats/contest_facts.h"
#include "stats/decimal_value.h"

using stats::CInfo;
using stats::CallProbe;
using stats::DecimalValue;
using stats::QsoInput;
using stats::ResetInput;

namespace testing_support {
namespace {

// "%s%i" of a text and a number.
std::string TextAndNumber(std::string_view text, int32_t value) {
  char number[16];
  std::snprintf(number, sizeof number, "%i", value);
  return std::string(text) + number;
}

std::string Row(const std::string& label, int32_t a, int32_t b, int32_t c, int32_t d) {
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "\t %i\t %i\t %i\t %i\r\n", a, b, c, d);
  return label + numbers;
}

std::string ZeroPadded(std::string text) {
  while (text.size() < 20) text = "0" + text;
  return text;
}

// Sums in 64 bits, shown within the 32-bit range.
int32_t Clamp(int64_t value) {
  return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : int32_t(value);
}

// The duplicate rule's equality, written out here rather than taken from
// CInfo, so that a field the plug-in leaves out of its own shows as a
// stored record too few: every field, texts byte for byte, date-times as
// COleDateTime compares them.
bool SameRecord(const CInfo& a, const CInfo& b) {
  static_assert(stats::kRecordFieldCount == 18, "compare the new field of CInfo here");
  return a.m_call == b.m_call && a.m_multKey == b.m_multKey && a.m_group == b.m_group &&
         a.m_band == b.m_band && a.m_mode == b.m_mode && a.m_rstRcvd == b.m_rstRcvd &&
         a.m_rstSent == b.m_rstSent && a.m_exchRcvd == b.m_exchRcvd &&
         a.m_exchSent == b.m_exchSent && a.m_spare1 == b.m_spare1 && a.m_spare2 == b.m_spare2 &&
         a.m_freqKHz == b.m_freqKHz && a.m_tour == b.m_tour && a.m_reserved == b.m_reserved &&
         a.m_points == b.m_points && a.m_multBand == b.m_multBand && a.m_serial == b.m_serial &&
         a.m_time == b.m_time;
}

}  // namespace

int32_t LinearModel::TourOf(int32_t h) const {
  for (int32_t tour = 1; tour <= stats::kTourCount; ++tour) {
    const int32_t first = m_startHour + (tour - 1) * stats::kTourHours;
    if (first <= h && h < first + stats::kTourHours) return tour;
  }
  return 0;
}

int32_t LinearModel::Reset(const ResetInput& input) {
  m_startHour = DecimalValue(input.start.Format("%H"));
  m_store.clear();
  m_bands.clear();
  m_ownGroupCode = input.ownGroupCode;
  m_ownMultCode = input.ownMultCode;
  m_errorReport = STATS_CONTEST_NAME " UBN file \r\n";
  return 1;
}

int32_t LinearModel::Add(const QsoInput& q) {
  CInfo record;
  record.m_time = q.time;
  const std::string when = record.m_time.Format("%Y-%m-%d %H%M");
  const int32_t tour = TourOf(DecimalValue(record.m_time.Format("%H")));
  m_lastTour = tour;
  record.m_tour = tour;

  const char* reason = nullptr;
  if (!(q.mode == "CW" || q.mode == "SSB")) {
    reason = "   NO TEST MODE !!!";
  } else if (q.exchRcvd.empty() || q.exchSent.empty()) {
    reason = "   NO RX NUMBER !!!";
  }
  if (reason != nullptr) {
    m_errorReport += "QSO:  " + std::to_string(q.freqHz / 1000);
    for (std::string_view field : {q.mode, std::string_view(when), q.ownCall, q.rstSent, q.exchSent,
                                   q.call, q.rstRcvd, q.exchRcvd}) {
      m_errorReport.append("  ").append(field);
    }
    m_errorReport.append(reason).append("\r\n");
    return 0;
  }

  bool listed = false;
  for (const std::string& band : m_bands) listed = listed || band == q.band;
  if (!listed) m_bands.emplace_back(q.band);
  record.m_call = q.call;
  record.m_band = q.band;
  record.m_mode = q.mode;
  record.m_group = q.group;
  record.m_rstRcvd = q.rstRcvd;
  record.m_rstSent = q.rstSent;
  record.m_exchRcvd = q.exchRcvd;
  record.m_exchSent = q.exchSent;
  record.m_multKey = TextAndNumber(q.multCode, tour);
  record.m_freqKHz = static_cast<int32_t>(q.freqHz / 1000);
  for (const CInfo& stored : m_store) {
    if (SameRecord(stored, record)) return 1;
  }
  m_store.push_back(record);
  return 1;
}

int32_t LinearModel::Remove(const QsoInput& q) {
  if (q.exchRcvd.empty() || q.exchSent.empty()) return 0;
  for (std::size_t i = 0; i < m_store.size(); ++i) {
    const CInfo& r = m_store[i];
    if (r.m_call == q.call && r.m_mode == q.mode && r.m_band == q.band) {
      m_store.erase(m_store.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  return 1;
}

int32_t LinearModel::CheckCall(const CallProbe& probe, const platform::UtcTime& now) const {
  const int32_t tour = TourOf(now.hour);
  const std::string key = TextAndNumber(probe.multCode, tour);
  for (const CInfo& s : m_store) {
    if (s.m_call != probe.call || s.m_band != probe.band) continue;
    if (s.m_mode == probe.mode) {
      if (s.m_tour == tour) return 0;
      continue;
    }
    const int h = s.m_time.GetHour(), m = s.m_time.GetMinute(), c = now.minute;
    const int d = now.hour - h;
    if ((d == 0 && c < 30 && m < 30) || (d == 0 && c >= 30 && m >= 30) ||
        (d == 0 && c > 30 && m < 30 && c - m <= 29) ||
        (d == 1 && c < 30 && m > 30 && (60 - m) + c <= 29)) {
      return 0;
    }
  }
  for (const CInfo& s : m_store) {
    if (s.m_band == probe.band && s.m_multKey == key) return 1;
  }
  return 2;
}

void LinearModel::ScoreRow(const std::string& label, int32_t* qsos, int64_t* points, int32_t* cw,
                           int32_t* ssb) {
  const std::string ownKey = TextAndNumber(m_ownMultCode, m_lastTour);
  int32_t weight = 0;
  for (const stats::BandWeight& band : stats::kBandWeights) {
    if (label == band.band) weight = band.weight;
  }
  uint32_t tens = 0, thirties = 0, sixties = 0, multipliers = 0;
  int32_t lastSerial = 0;
  std::vector<std::string> keys;
  for (CInfo& r : m_store) {
    if (r.m_band != label || r.m_call.empty()) continue;
    ++*qsos;
    if (r.m_mode == "CW") ++*cw;
    if (r.m_mode == "SSB") ++*ssb;
    if (r.m_multKey == ownKey) {
      r.m_points = stats::kOwnKeyPoints;
      ++tens;
    } else if (r.m_group == m_ownGroupCode) {
      r.m_points = stats::kOwnGroupPoints;
      ++thirties;
    } else {
      r.m_points = stats::kOtherPoints;
      ++sixties;
    }
    lastSerial = DecimalValue(r.m_exchRcvd != "RT" ? r.m_exchRcvd : r.m_exchSent);
    r.m_serial = lastSerial;
    bool listed = false;
    for (const std::string& key : keys) listed = listed || key == r.m_multKey;
    if (!listed) {
      keys.push_back(r.m_multKey);
      ++multipliers;
      r.m_multBand = weight;
    }
  }
  *points = int64_t{multipliers} * weight + int64_t{stats::kOwnKeyPoints} * tens +
            int64_t{stats::kOwnGroupPoints} * thirties + int64_t{stats::kOtherPoints} * sixties +
            lastSerial;
}

int32_t LinearModel::Results(std::string* text) {
  *text = std::string("\t\t") + stats::kResultsTitle + "\r\n\tQSOs\tPoints\tCW\tSSB\r\n";
  const int32_t count = static_cast<int32_t>(m_store.size());
  for (std::size_t i = 0; i + 1 < m_bands.size(); ++i) {
    for (std::size_t j = i + 1; j < m_bands.size(); ++j) {
      if (ZeroPadded(m_bands[i]) < ZeroPadded(m_bands[j])) std::swap(m_bands[i], m_bands[j]);
    }
  }
  int64_t totalPoints = 0;
  int32_t totalCw = 0, totalSsb = 0;
  for (const std::string& label : m_bands) {
    int32_t qsos = 0, cw = 0, ssb = 0;
    int64_t points = 0;
    ScoreRow(label, &qsos, &points, &cw, &ssb);
    *text += Row(label, qsos, Clamp(points), cw, ssb);
    totalPoints += points;
    totalCw += cw;
    totalSsb += ssb;
  }
  const int32_t score = Clamp(totalPoints);
  *text += Row("Total", count, score, totalCw, totalSsb);
  *text += TextAndNumber("\r\nScore:  = ", score) + "\r\n";
  return score;
}

}  // namespace testing_support
