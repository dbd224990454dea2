#pragma once

// The figures of the report page, gathered from a replay and from what the
// plug-in wrote: its Cabrillo QSO lines give each stored QSO's points,
// multiplier mark and serial value; the replayed QSOs give its band label,
// call and multiplier code. Sums are sums of the plug-in's numbers.

#include <cstddef>
#include <functional>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "stats/contest_facts.h"
#include "tools/plan/replay_plan_types.h"
#include "tools/plugin_outputs/plugin_outputs.h"

namespace tools {

constexpr int kTours = stats::kTourCount;  // tour 0 is outside the four tours
constexpr int kTourHours = stats::kTourHours;
constexpr int kDayHours = 24;

// Tour 1..4 of `hour` for a contest starting at `startHour`: two hours each
// from the start hour on, the hour only (no wrap past midnight); 0 outside.
int TourOfHour(int hour, int startHour);

// Whether tour 1..4 holds any hour of the day for a contest starting at
// `startHour`: a tour that would begin at or after midnight does not exist.
bool TourExists(int tour, int startHour);

// One QSO the plug-in stored, in its Cabrillo log's order.
struct ReportQso {
  std::string call;
  std::string band;      // the band label handed to the plug-in ("80m")
  std::string mode;      // "CW", "SSB"; the Cabrillo mode for a line no replayed QSO matches
  std::string multCode;  // the worked station's multiplier code
  CabrilloQso line;      // the plug-in's Cabrillo line
  int tour = 0;
  long long minute = 0;  // minutes since the OLE epoch (a midnight) of the line's time
  bool repeat = false;   // same call, band, mode and tour as an earlier QSO
};

// Band × tour figures; cells[0] holds the QSOs outside the tours.
struct MatrixCell {
  int qsos = 0;
  int64_t points = 0;      // QSO points plus the band weight of each multiplier
  int mults = 0;           // multipliers with a band weight above 0
  int worthlessMults = 0;  // multipliers of a band the plug-in weighs 0 (160m, 6m)
};
struct MatrixRow {
  std::string band;
  MatrixCell cells[kTours + 1];
  int32_t serial = 0;  // the serial value of the band's last QSO, which the plug-in adds
  std::map<std::string, int> qsosByMode;  // the cells' QSOs by mode ("CW", "SSB")
  int64_t Points() const;                 // every cell's points plus `serial`
};

// The multipliers a band gained in one tour, in the order they came.
struct Multiplier {
  std::string code;    // may be empty
  size_t first = 0;    // index in ReportData::qsos of the QSO that brought it
  bool scores = true;  // false: the plug-in gave it band weight 0
};

struct RateBin {
  long long startMinute = 0;
  // QSO count by band and mode ("80m", "CW").
  std::map<std::pair<std::string, std::string>, int> counts;
};

// The kind of log a replay read (replay_plan_types.h), as the page names it.
const char* LogKindName(LogKind kind);  // "ADIF", "Cabrillo"

// Operating time as contests define it: an off time is a gap of at least
// kBreakMinutes between two consecutive QSOs, and the time on the air runs
// from the first QSO to the last without the off times. Times are minutes
// since the OLE epoch, as ReportQso::minute.
constexpr long long kBreakMinutes = 30;
struct OffTime {
  long long from = 0;  // the QSO before the off time
  long long to = 0;    // the QSO after it
  long long Minutes() const { return to - from; }
};
struct OperatingTime {
  long long first = 0, last = 0;  // 0 and 0 without QSOs
  std::vector<OffTime> breaks;    // in time order
  long long onAir = 0;            // last - first - the breaks' minutes
};
// `minutes` in any order; equal times are one moment.
OperatingTime OperatingTimeOf(std::vector<long long> minutes);

// The most QSOs in `length` consecutive minutes: a window [start, start +
// length) that starts at a QSO's minute; the earliest of equal windows.
// {0, 0} without QSOs.
struct RateWindow {
  int qsos = 0;
  long long start = 0;
};
RateWindow BestWindow(const std::vector<long long>& sortedMinutes, long long length);
// The QSOs in the `length` minutes that end with the last QSO's minute:
// (last - length, last]. `sortedMinutes` ascending.
int QsosBeforeEnd(const std::vector<long long>& sortedMinutes, long long length);

constexpr long long kShortRateMinutes = 10;
constexpr long long kLongRateMinutes = 60;

// What contesters post of their log, over the QSOs the plug-in stored (the
// lines of its Cabrillo log; refused QSOs are not among them).
struct Activity {
  OperatingTime time;
  RateWindow bestShort;  // kShortRateMinutes
  RateWindow bestLong;   // kLongRateMinutes
  int lastHourQsos = 0;  // in the kLongRateMinutes up to the last QSO
};

constexpr char kCategoryPrefix[] = "CATEGORY-";

struct ReportData {
  LogKind logKind = LogKind::kAdif;
  std::string logName;  // the replayed log's file name, as given
  // The kCategoryPrefix lines of the Cabrillo log's header, tag and value, in
  // the log's order; empty when it holds none.
  std::vector<CabrilloHeaderLine> categories;
  // Where `categories` come from, for the reader: the replayed log's header
  // or the header dialog, and whether it was confirmed. Empty: not said.
  std::string categoriesFrom;
  Activity activity;
  std::vector<PlanSetting> settings;
  std::vector<std::string> warnings;
  std::string ownCall;
  int startHour = 0;
  size_t offered = 0, accepted = 0, refused = 0;
  size_t alreadyStored = 0;  // accepted, but equal to a QSO already stored
  ResultsTable results;
  std::vector<RefusedQso> refusedQsos;
  std::vector<ReportQso> qsos;
  std::vector<std::string> bands;  // the results' band order, then any others
  std::vector<MatrixRow> matrix;   // one per band, in `bands` order
  std::vector<std::vector<Multiplier>> mults[kTours + 1];  // [tour][band index]
  int binMinutes = 60;
  std::vector<RateBin> bins;  // consecutive, from the first QSO's to the last's
};

// The plug-in's Cabrillo line of each of the plan's QSOs: its index in
// `lines`, or kNoLine for a QSO refused (`accepted` false) or accepted as
// equal to one already stored. The plug-in writes a line per stored QSO, in
// the order offered, so the lines used are the first ones of `lines`.
constexpr size_t kNoLine = static_cast<size_t>(-1);
std::vector<size_t> LineOfEachQso(const ReplayPlan& plan, const std::vector<bool>& accepted,
                                  const std::vector<CabrilloQso>& lines);
// The same for `count` QSOs given one at a time, `qsoAt(i)`.
std::vector<size_t> LineOfEachQso(size_t count, const std::function<const AdifQso&(size_t)>& qsoAt,
                                  const std::vector<bool>& accepted,
                                  const std::vector<CabrilloQso>& lines);

// Gathers the page's figures. `accepted` holds AddData0's answer for each of
// the plan's QSOs; `cabrilloText`, `resultsText` and `errText` are what the
// plug-in wrote. The log's kind and name are the caller's to set.
ReportData GatherReport(const ReplayPlan& plan, const std::vector<bool>& accepted,
                        const std::string& resultsText, const std::string& cabrilloText,
                        const std::string& errText);

}  // namespace tools
