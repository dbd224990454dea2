#pragma once

// Turns a log, ADIF or Cabrillo, and the command line's choices into
// everything a replay hands to the plug-in, checking the whole log before
// anything is offered, and says what it assumed on the way.

#include <optional>
#include <string>

#include "plugin/stats_api.h"
#include "tools/adif/adif_qso.h"
#include "tools/replay/group_map.h"
#include "tools/plan/replay_plan_types.h"

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
