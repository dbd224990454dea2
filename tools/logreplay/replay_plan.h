#pragma once

// Turns a log, ADIF or Cabrillo, and the command line's choices into
// everything a replay hands to the plug-in, checking the whole log before
// anything is offered, and says what it assumed on the way.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plugin/stats_api.h"
#include "tools/adif/adif_qso.h"
#include "tools/logreplay/group_map.h"

namespace tools {

// The choices a replay leaves to the command line.
struct ReplayOptions {
  // Contest start; unset: the date and hour of the first QSO in time order.
  std::optional<StatsDateTime> start;
  // Unset: STATION_CALLSIGN, else OPERATOR, of the first QSO's record.
  std::optional<std::string> ownCall;
  // Unset: the letters after the digits of the first QSO's sent exchange
  // ("001KI" gives "KI").
  std::optional<std::string> ownMultCode;
  // Unset: empty, which is refused when a group field is named, as the log
  // cannot tell the own group.
  std::optional<std::string> ownGroupCode;
  // ADIF only: a Cabrillo log has no fields.
  AdifQsoFields fields;
  // Set: each QSO's group code is its multiplier code's in the map (empty
  // for a code the map lacks), and the own group code, unless given, the
  // own multiplier code's. Not with fields.groupField.
  std::optional<GroupMap> groupMap;
  bool cabrillo = false;
  // Records that cannot be mapped are skipped with a warning each instead
  // of stopping the replay.
  bool skipBad = false;
};

// One value the replay relies on, and where it came from.
struct PlanSetting {
  std::string name;    // "own call"
  std::string value;   // as handed over; may be empty
  std::string source;  // "option --own-call", "log field OPERATOR, record 1", ...
};

enum class LogKind { kAdif, kCabrillo };

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
  // A Cabrillo log's CATEGORY-... tags and values (CabrilloLog::categories).
  std::vector<std::pair<std::string, std::string>> categories;
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
  // that differ from another only in their seconds, no group codes at all,
  // QSOs outside the tours or on another day than the start.
  std::vector<std::string> warnings;
};

// Reads the whole file at `path` as bytes. On failure returns false and
// `problem` says why in one line (a folder, a missing or unreadable file, a
// file too large to be a log).
bool ReadLogFile(const std::string& path, std::string* text, std::string* problem);

// Parses a contest start "YYYY-MM-DD HH" or "YYYYMMDD HH" (hour 0-23 in one
// or two digits) into a valid date-time on the full hour.
bool ParseContestStart(const std::string& text, StatsDateTime* start, std::string* problem);

// "2026-12-19 12:00" for a valid date-time on or after 1900-01-01.
std::string FormatStart(const StatsDateTime& start);

// Reads `logText`, a Cabrillo log when IsCabrilloLog says so and ADIF
// otherwise, and maps every record or QSO line; UTF-16 text with a byte
// order mark is read as its UTF-8 (Utf16ToUtf8), an ADX file refused. On failure returns false
// and `problem` tells where and why in one line, as "record 3, field FREQ:
// <why>", "line 25, column 12 (mode): <why>" or "--group-field APP_X:
// <why>"; `plan` is then unspecified. A log must leave at least one QSO to
// offer.
bool PlanReplay(const std::string& logText, const ReplayOptions& options, ReplayPlan* plan,
                std::string* problem);

// The warning a replay ends with when the log's CLAIMED-SCORE: differs
// from the plug-in's score; empty when they agree or nothing is claimed.
std::string ClaimedScoreWarning(const ReplayPlan& plan, long long pluginScore);

}  // namespace tools
