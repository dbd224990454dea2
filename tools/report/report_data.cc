#include "tools/report/report_data.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <tuple>

#include "platform/framework/ole_date_time.h"
#include "tools/adif/adif_values.h"

namespace tools {
namespace {

// Logs shorter than this get ten-minute bins instead of hours.
constexpr long long kShortLogMinutes = 180;
constexpr int kShortBinMinutes = 10;
constexpr int kHourMinutes = 60;
// A chart wider than this many bins gets wider bins, in whole hours.
constexpr long long kMaxBins = 96;
constexpr char kCabrilloPhone[] = "PH";
constexpr char kTotalLabel[] = "Total";

constexpr double kMinutesPerDay = 24.0 * kHourMinutes;

// Minutes since the OLE epoch (a midnight, so minutes of the day read off).
long long MinuteOf(const CivilDate& date, int hour, int minute) {
  return std::llround(ToOleDate(date, TimeOfDay{hour, minute, 0}) * kMinutesPerDay);
}

long long MinuteOf(const CabrilloQso& line) {
  const std::string& date = line.date;  // yyyy-mm-dd
  const CivilDate civil{std::atoi(date.substr(0, 4).c_str()), std::atoi(date.substr(5, 2).c_str()),
                        std::atoi(date.substr(8, 2).c_str())};
  return MinuteOf(civil, line.hour, line.minute);
}

// Whether the plug-in's line was written for `qso`: same minute, kHz and call.
// A QSO without a call has a line with a column left blank, so one word
// fewer than the six of own call, reports, exchanges and call.
bool LineIsFor(const CabrilloQso& line, const AdifQso& qso) {
  CivilDate date;
  TimeOfDay time;
  OleToCivil(qso.time, &date, &time);
  const bool callFits = qso.call.empty() ? line.exchange.size() < 6
                                         : std::find(line.exchange.begin(), line.exchange.end(),
                                                     qso.call) != line.exchange.end();
  return MinuteOf(line) == MinuteOf(date, time.hour, time.minute) &&
         static_cast<uint32_t>(line.freqKHz) == qso.freqHz / 1000 && callFits;
}

// What the line alone tells when no replayed QSO matches it.
void FillFromLine(ReportQso* qso) {
  const CabrilloQso& line = qso->line;
  qso->band = BandOfFrequency(static_cast<uint32_t>(line.freqKHz) * 1000u);
  qso->mode = line.mode == kCabrilloPhone ? "SSB" : line.mode;
  // own call, rst, exchange, call, rst, exchange when none is empty
  if (line.exchange.size() == 6) qso->call = line.exchange[3];
  qso->multCode = MultCodeFromExchange(line.exchange.back());
}

std::vector<ReportQso> PairLines(const ReplayPlan& plan, const std::vector<bool>& accepted,
                                 const std::vector<CabrilloQso>& lines, size_t* alreadyStored) {
  const std::vector<size_t> lineOf = LineOfEachQso(plan, accepted, lines);
  std::vector<ReportQso> qsos;
  size_t used = 0;
  for (size_t i = 0; i < lineOf.size(); ++i) {
    if (lineOf[i] == kNoLine) {
      if (i < accepted.size() && accepted[i]) ++*alreadyStored;
      continue;
    }
    const AdifQso& replayed = plan.qsos[i];
    ReportQso qso;
    qso.line = lines[lineOf[i]];
    qso.call = replayed.call;
    qso.band = replayed.band;
    qso.mode = replayed.mode;
    qso.multCode = replayed.multCode;
    qsos.push_back(qso);
    used = lineOf[i] + 1;
  }
  for (; used < lines.size(); ++used) {
    ReportQso qso;
    qso.line = lines[used];
    FillFromLine(&qso);
    qsos.push_back(qso);
  }
  return qsos;
}

size_t BandIndex(std::vector<std::string>* bands, const std::string& band) {
  const auto found = std::find(bands->begin(), bands->end(), band);
  if (found != bands->end()) return static_cast<size_t>(found - bands->begin());
  bands->push_back(band);
  return bands->size() - 1;
}

Activity ActivityOf(const std::vector<ReportQso>& qsos) {
  std::vector<long long> minutes;
  for (const ReportQso& qso : qsos) minutes.push_back(qso.minute);
  std::sort(minutes.begin(), minutes.end());
  Activity activity;
  activity.time = OperatingTimeOf(minutes);
  activity.bestShort = BestWindow(minutes, kShortRateMinutes);
  activity.bestLong = BestWindow(minutes, kLongRateMinutes);
  activity.lastHourQsos = QsosBeforeEnd(minutes, kLongRateMinutes);
  return activity;
}

}  // namespace

std::vector<size_t> LineOfEachQso(const ReplayPlan& plan, const std::vector<bool>& accepted,
                                  const std::vector<CabrilloQso>& lines) {
  return LineOfEachQso(
      plan.qsos.size(), [&](size_t i) -> const AdifQso& { return plan.qsos[i]; }, accepted, lines);
}

std::vector<size_t> LineOfEachQso(size_t count, const std::function<const AdifQso&(size_t)>& qsoAt,
                                  const std::vector<bool>& accepted,
                                  const std::vector<CabrilloQso>& lines) {
  std::vector<size_t> lineOf(std::min(count, accepted.size()), kNoLine);
  size_t next = 0;
  for (size_t i = 0; i < lineOf.size(); ++i) {
    if (!accepted[i] || next >= lines.size() || !LineIsFor(lines[next], qsoAt(i))) continue;
    lineOf[i] = next++;
  }
  return lineOf;
}

const char* LogKindName(LogKind kind) { return kind == LogKind::kCabrillo ? "Cabrillo" : "ADIF"; }

OperatingTime OperatingTimeOf(std::vector<long long> minutes) {
  OperatingTime time;
  if (minutes.empty()) return time;
  std::sort(minutes.begin(), minutes.end());
  time.first = minutes.front();
  time.last = minutes.back();
  time.onAir = time.last - time.first;
  for (size_t i = 1; i < minutes.size(); ++i) {
    const OffTime gap{minutes[i - 1], minutes[i]};
    if (gap.Minutes() < kBreakMinutes) continue;
    time.breaks.push_back(gap);
    time.onAir -= gap.Minutes();
  }
  return time;
}

RateWindow BestWindow(const std::vector<long long>& sortedMinutes, long long length) {
  RateWindow best;
  size_t end = 0;
  for (size_t start = 0; start < sortedMinutes.size(); ++start) {
    // Of equal minutes only the first starts a window: it holds them all.
    if (start > 0 && sortedMinutes[start] == sortedMinutes[start - 1]) continue;
    while (end < sortedMinutes.size() && sortedMinutes[end] < sortedMinutes[start] + length) ++end;
    const int qsos = static_cast<int>(end - start);
    if (qsos > best.qsos) best = {qsos, sortedMinutes[start]};
  }
  return best;
}

int QsosBeforeEnd(const std::vector<long long>& sortedMinutes, long long length) {
  if (sortedMinutes.empty()) return 0;
  const long long after = sortedMinutes.back() - length;
  return static_cast<int>(sortedMinutes.end() -
                          std::upper_bound(sortedMinutes.begin(), sortedMinutes.end(), after));
}

int TourOfHour(int hour, int startHour) {
  return stats::TourOfMinutes(static_cast<long long>(hour - startHour) * kHourMinutes);
}

bool TourExists(int tour, int startHour) {
  return tour >= 1 && tour <= kTours && startHour + (tour - 1) * kTourHours < kDayHours;
}

int64_t MatrixRow::Points() const {
  int64_t sum = serial;
  for (const MatrixCell& cell : cells) sum += cell.points;
  return sum;
}

ReportData GatherReport(const ReplayPlan& plan, const std::vector<bool>& accepted,
                        const std::string& resultsText, const std::string& cabrilloText,
                        const std::string& errText) {
  ReportData data;
  data.settings = plan.settings;
  data.warnings = plan.warnings;
  data.ownCall = plan.ownCall;
  data.startHour =
      std::max(0, platform::COleDateTime(plan.start.value, plan.start.status).GetHour());
  data.offered = plan.qsos.size();
  for (size_t i = 0; i < accepted.size(); ++i) (accepted[i] ? data.accepted : data.refused)++;
  data.results = ParseResultsText(resultsText);
  data.refusedQsos = ParseErrorFile(errText);
  data.qsos = PairLines(plan, accepted, ParseCabrilloQsos(cabrilloText), &data.alreadyStored);
  data.categories = ParseCabrilloHeader(cabrilloText, kCategoryPrefix);

  for (const ResultsTable::Row& row : data.results.rows) {
    if (row.label != kTotalLabel) data.bands.push_back(row.label);
  }
  std::set<std::tuple<std::string, std::string, std::string, int>> worked;
  for (ReportQso& qso : data.qsos) {
    qso.tour = TourOfHour(qso.line.hour, data.startHour);
    qso.minute = MinuteOf(qso.line);
    qso.repeat = !worked.insert({qso.call, qso.band, qso.mode, qso.tour}).second;
    BandIndex(&data.bands, qso.band);
  }
  data.activity = ActivityOf(data.qsos);

  data.matrix.resize(data.bands.size());
  for (size_t b = 0; b < data.bands.size(); ++b) data.matrix[b].band = data.bands[b];
  for (auto& tour : data.mults) tour.resize(data.bands.size());
  for (size_t i = 0; i < data.qsos.size(); ++i) {
    const ReportQso& qso = data.qsos[i];
    // A line the plug-in did not score (a QSO without a call) carries -1s.
    if (qso.line.points < 0) continue;
    const size_t b = BandIndex(&data.bands, qso.band);
    MatrixRow& row = data.matrix[b];
    MatrixCell& cell = row.cells[qso.tour];
    ++cell.qsos;
    ++row.qsosByMode[qso.mode];
    cell.points += qso.line.points;
    row.serial = qso.line.serial;
    if (qso.line.multiplier) {
      const bool scores = qso.line.multWeight > 0;
      ++(scores ? cell.mults : cell.worthlessMults);
      cell.points += qso.line.multWeight;
      data.mults[qso.tour][b].push_back({qso.multCode, i, scores});
    }
  }

  if (data.qsos.empty()) return data;
  long long first = data.qsos.front().minute, last = first;
  for (const ReportQso& qso : data.qsos) {
    first = std::min(first, qso.minute);
    last = std::max(last, qso.minute);
  }
  const long long span = last - first;
  data.binMinutes = span < kShortLogMinutes
                        ? kShortBinMinutes
                        : kHourMinutes * static_cast<int>(span / (kHourMinutes * kMaxBins) + 1);
  const long long start = first - first % data.binMinutes;
  data.bins.resize(static_cast<size_t>((last - start) / data.binMinutes + 1));
  for (size_t k = 0; k < data.bins.size(); ++k) {
    data.bins[k].startMinute = start + static_cast<long long>(k) * data.binMinutes;
  }
  for (const ReportQso& qso : data.qsos) {
    ++data.bins[static_cast<size_t>((qso.minute - start) / data.binMinutes)]
          .counts[{qso.band, qso.mode}];
  }
  return data;
}

}  // namespace tools
