#pragma once

// The replay plan: everything a replay hands to the plug-in, and what was
// assumed on the way. logreplay makes it (tools/replay/replay_plan.h);
// the report page and logcheck read it.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plugin/stats_api.h"
#include "tools/adif/adif_qso.h"

namespace tools {

// One value the replay relies on, and where it came from.
struct PlanSetting {
  std::string name;    // "own call"
  std::string value;   // as handed over; may be empty
  std::string source;  // "option --own-call", "log field OPERATOR, record 1", ...
};

enum class LogKind { kAdif, kCabrillo };

// A QSO line of a Cabrillo log that could not be read and was skipped: its
// line, why, and the values that were read (the others empty; time 0
// unless `timeRead`).
struct UnreadQso {
  size_t place = 0;
  std::string reason;
  AdifQso qso;
  bool timeRead = false;
};

// One replay: the QSOs in time order (equal times in log order), as the
// host's log holds them, and the reset's values.
struct ReplayPlan {
  LogKind logKind = LogKind::kAdif;
  std::string logName;  // the log's file name, without folder; set by the caller
  std::vector<AdifQso> qsos;
  // Where each of `qsos` stands in the log: its record (ADIF) or line
  // (Cabrillo) number.
  std::vector<size_t> qsoPlaces;
  std::string ownCall;
  std::string ownMultCode;
  std::string ownGroupCode;
  StatsDateTime start{0.0, kStatsDateNull};
  bool cabrillo = false;
  // A Cabrillo log's QSO lines skipped as unreadable, in file order.
  std::vector<UnreadQso> unreadQsos;
  // The other lines of a Cabrillo log skipped (neither a tag nor blank),
  // as their warnings say them.
  std::vector<std::string> skippedLines;
  // A Cabrillo log's CATEGORY-... tags and values (CabrilloLog::categories).
  std::vector<std::pair<std::string, std::string>> categories;
  // A Cabrillo log's CONTEST:, as written; empty without one.
  std::string contest;
  // A Cabrillo log's CLAIMED-SCORE:, when it is a number, and its line.
  std::optional<long long> claimedScore;
  size_t claimedScoreLine = 0;
  // For a Cabrillo log first the log's kind and contest; then own call, own
  // multiplier code, own group code, contest start, the QSO order and the
  // sources of the worked stations' codes, in that order.
  std::vector<PlanSetting> settings;
  // One line each, without a line end: skipped records or lines, X-QSO:
  // lines, a CLAIMED-SCORE: that is no number, a log out of time order,
  // QSOs without a multiplier code or without a group in the map, QSOs
  // that differ from another only in their seconds, serials of more than
  // six digits, no group codes at all,
  // QSOs outside the tours or on another day than the start.
  std::vector<std::string> warnings;
};

}  // namespace tools
