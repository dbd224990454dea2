#include "stats/scoring.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "stats/decimal_value.h"

namespace stats {

namespace {

// A received exchange of exactly this text carries no number; the serial
// value is then read from the sent exchange.
constexpr char kNoNumberExchange[] = "RT";

// Points are summed in 64 bits, which no count of QSOs fills, and shown
// clamped to the 32-bit range the host's results take: a serial of
// 2147483647 would otherwise turn a score negative.
int32_t Clamped(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

struct RowTotals {
  int32_t qsos = 0;
  int32_t cw = 0;
  int32_t ssb = 0;
  int64_t points = 0;
};

std::string ZeroPadded(const std::string& label) {
  constexpr std::size_t kWidth = 20;
  if (label.size() >= kWidth) return label;
  return std::string(kWidth - label.size(), '0') + label;
}

int32_t WeightOfBand(const std::string& label) {
  for (const BandWeight& band : kBandWeights) {
    if (label == band.band) return band.weight;
  }
  return 0;
}

// Working values of one band row.
struct Row {
  RowTotals totals;
  int32_t weight = 0;
  uint32_t ownKey = QsoStore::kNoNumber;  // band-key number of the own key
  int32_t tens = 0, thirties = 0, sixties = 0, multipliers = 0, lastSerial = 0;
};

// Scores every band row in one pass over the first `count` stored records.
// A record belongs to the row of its band label, if listed, and counts
// there unless its call is empty. Within a row, band-key numbers stand for
// the multiplier keys: equal numbers, equal keys. The row's key list is the
// set of numbers already met.
std::vector<Row> ScoreRows(Contest& contest, std::size_t count) {
  QsoStore& store = contest.qsoStore;
  const BandList& bands = contest.bandList;
  const std::string ownKey = contest.ownMultCode + std::to_string(contest.lastTour);
  std::vector<Row> rows(bands.Count());
  std::vector<int32_t> rowOfBand(store.BandNumberLimit(), -1);
  for (std::size_t b = 0; b < bands.Count(); ++b) {
    rows[b].weight = WeightOfBand(bands.At(b));
    rows[b].ownKey = store.FindBandKeyNumber(bands.At(b), ownKey);
    const uint32_t number = store.FindBandNumber(bands.At(b));
    if (number != QsoStore::kNoNumber) rowOfBand[number] = static_cast<int32_t>(b);
  }
  std::vector<bool> keyMet(store.BandKeyNumberLimit(), false);
  // Texts compare by their numbers in the store; a text no record has gets
  // kNoNumber, which no record's number equals.
  const uint32_t cw = store.TextNumber(kMode, "CW");
  const uint32_t ssb = store.TextNumber(kMode, "SSB");
  const uint32_t ownGroup = store.TextNumber(kGroup, contest.ownGroupCode);
  const uint32_t noCall = store.TextNumber(kCall, "");

  for (std::size_t i = 0; i < count; ++i) {
    const int32_t rowIndex = rowOfBand[store.BandNumberAt(i)];
    if (rowIndex < 0) continue;
    const QsoStore::Record r = store.RecordAt(i);
    if (r.CallNumber() == noCall) continue;
    Row& row = rows[static_cast<std::size_t>(rowIndex)];
    ++row.totals.qsos;
    if (r.ModeNumber() == cw) ++row.totals.cw;
    if (r.ModeNumber() == ssb) ++row.totals.ssb;

    const uint32_t key = store.BandKeyNumberAt(i);
    int32_t points;
    if (key == row.ownKey) {
      points = kOwnKeyPoints;
      ++row.tens;
    } else if (r.GroupNumber() == ownGroup) {
      points = kOwnGroupPoints;
      ++row.thirties;
    } else {
      points = kOtherPoints;
      ++row.sixties;
    }
    // A band's points end with the serial received in its last QSO in store
    // order, the order the host offered them, not time order: each counted
    // record overwrites it, and one without a call leaves it as it was.
    const std::string_view exchRcvd = r.ExchRcvd();
    row.lastSerial = DecimalValue(exchRcvd != kNoNumberExchange ? exchRcvd : r.ExchSent());

    int32_t multBand = r.MultBand();
    if (!keyMet[key]) {
      keyMet[key] = true;
      ++row.multipliers;
      multBand = row.weight;
    }
    store.SetResults(i, points, multBand, row.lastSerial);
  }
  for (Row& row : rows) {
    row.totals.points = int64_t{row.multipliers} * row.weight + kOwnKeyPoints * int64_t{row.tens} +
                        kOwnGroupPoints * int64_t{row.thirties} +
                        kOtherPoints * int64_t{row.sixties} + row.lastSerial;
  }
  return rows;
}

void AppendFormatted(std::string* text, const char* format, const char* label,
                     const RowTotals& row) {
  char line[64];
  std::snprintf(line, sizeof line, format, row.qsos, Clamped(row.points), row.cw, row.ssb);
  *text += label;
  *text += line;
}

}  // namespace

// Labels padded with zeros compare by their number's length first, so
// "160m" sorts before "80m". Labels that are equal once padded ("20m" and
// "020m") keep the order this exchange sort leaves them in, and the results
// text shows that order: a library sort could order them otherwise.
void SortBands(BandList& bands) {
  const std::size_t n = bands.Count();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (ZeroPadded(bands.At(i)) < ZeroPadded(bands.At(j))) bands.Swap(i, j);
    }
  }
}

int32_t ComputeResults(Contest& contest, const std::string& credit,
                       platform::SettingsFile& settings, std::string* resultsText) {
  std::string& text = *resultsText;
  text.clear();
  const std::size_t count = contest.qsoStore.Count();
  text += std::string("\t\t") + kResultsTitle + "\r\n\tQSOs\tPoints\tCW\tSSB\r\n";
  SortBands(contest.bandList);

  const std::vector<Row> rows = ScoreRows(contest, count);
  RowTotals total;
  for (std::size_t b = 0; b < rows.size(); ++b) {
    const RowTotals& row = rows[b].totals;
    AppendFormatted(&text, "\t %i\t %i\t %i\t %i\r\n", contest.bandList.At(b).c_str(), row);
    total.points += row.points;
    total.cw += row.cw;
    total.ssb += row.ssb;
  }
  total.qsos = static_cast<int32_t>(count);
  AppendFormatted(&text, "\t %i\t %i\t %i\t %i\r\n", "Total", total);

  const int32_t score = Clamped(total.points);
  settings.Write(kSettingsPath, kSettingsSection, "Claimed", std::to_string(score));
  text += "\r\nScore:  = " + std::to_string(score) + "\r\n";
  text += credit;
  return score;
}

}  // namespace stats
