#include "stats/scoring.h"

#include <cstdio>
#include <vector>

#include "stats/decimal_value.h"

const char kSettingsPath[] = "Plugins\\TAVIN.ini";
const char kSettingsSection[] = "Settings";

namespace {

// Sums of 32-bit counters wrap as the host's 32-bit arithmetic does, without
// signed overflow: a saturated serial value plus points must not trap.
int32_t Wrapped(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

struct RowTotals {
  int32_t qsos = 0;
  int32_t cw = 0;
  int32_t ssb = 0;
  int32_t points = 0;
};

std::string ZeroPadded(const std::string& label) {
  constexpr std::size_t kWidth = 20;
  if (label.size() >= kWidth) return label;
  return std::string(kWidth - label.size(), '0') + label;
}

int32_t BandWeight(const std::string& label) {
  if (label == "80m") return 80;
  if (label == "40m") return 40;
  if (label == "20m") return 20;
  if (label == "15m") return 15;
  if (label == "10m") return 10;
  return 0;
}

// Scores the QSOs of one band among the first `count` stored records.
RowTotals ScoreRow(Contest& contest, const std::string& label, std::size_t count) {
  const std::string ownKey = contest.ownMultCode + std::to_string(contest.lastTour);
  const int32_t weight = BandWeight(label);
  RowTotals row;
  int32_t tens = 0, thirties = 0, sixties = 0, multipliers = 0, lastSerial = 0;
  std::vector<std::string> keys;

  for (std::size_t i = 0; i < count; ++i) {
    const CInfo& r = contest.qsoStore.At(i);
    if (r.m_band != label || r.m_call.empty()) continue;
    ++row.qsos;
    if (r.m_mode == "CW") ++row.cw;
    if (r.m_mode == "SSB") ++row.ssb;

    int32_t points;
    if (r.m_multKey == ownKey) {
      points = 10;
      ++tens;
    } else if (r.m_group == contest.ownGroupCode) {
      points = 30;
      ++thirties;
    } else {
      points = 60;
      ++sixties;
    }
    lastSerial = DecimalValue(r.m_exchRcvd != "RT" ? r.m_exchRcvd : r.m_exchSent);

    int32_t multBand = r.m_multBand;
    bool known = false;
    for (const std::string& key : keys) {
      if (key == r.m_multKey) {
        known = true;
        break;
      }
    }
    if (!known) {
      keys.push_back(r.m_multKey);
      ++multipliers;
      multBand = weight;
    }
    contest.qsoStore.SetResults(i, points, multBand, lastSerial);
  }
  row.points = Wrapped(int64_t{multipliers} * weight + 10 * int64_t{tens} +
                       30 * int64_t{thirties} + 60 * int64_t{sixties} + lastSerial);
  return row;
}

void AppendFormatted(std::string* text, const char* format, const char* label,
                     const RowTotals& row) {
  char line[64];
  std::snprintf(line, sizeof line, format, row.qsos, row.points, row.cw, row.ssb);
  *text += label;
  *text += line;
}

}  // namespace

void SortBands(BandList& bands) {
  const std::size_t n = bands.Count();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (ZeroPadded(bands.At(i)) < ZeroPadded(bands.At(j))) bands.Swap(i, j);
    }
  }
}

int32_t ComputeResults(Contest& contest, const std::string& credit,
                       platform::SettingsFile& settings,
                       std::string* resultsText) {
  std::string& text = *resultsText;
  text.clear();
  const std::size_t count = contest.qsoStore.Count();
  text += "\t\tCQ UT  Contest\r\n\tQSOs\tPoints\tCW\tSSB\r\n";
  SortBands(contest.bandList);

  RowTotals total;
  for (std::size_t b = 0; b < contest.bandList.Count(); ++b) {
    const std::string& label = contest.bandList.At(b);
    const RowTotals row = ScoreRow(contest, label, count);
    AppendFormatted(&text, "\t %i\t %i\t %i\t %i\r\n", label.c_str(), row);
    total.points = Wrapped(int64_t{total.points} + row.points);
    total.cw += row.cw;
    total.ssb += row.ssb;
  }
  total.qsos = static_cast<int32_t>(count);
  AppendFormatted(&text, "\t %i\t %i\t %i\t %i\r\n", "Total", total);

  const int32_t score = total.points;
  settings.Write(kSettingsPath, kSettingsSection, "Claimed", std::to_string(score));
  text += "\r\nScore:  = " + std::to_string(score) + "\r\n";
  text += credit;
  return score;
}
