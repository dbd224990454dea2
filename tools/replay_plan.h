#pragma once

// Turns an ADIF log and the command line's choices into everything a replay
// hands to the plug-in, checking the whole log before anything is offered.

#include <optional>
#include <string>
#include <vector>

#include "plugin/stats_api.h"
#include "tools/adif_qso.h"

namespace tools {

// The choices a replay leaves to the command line.
struct ReplayOptions {
  // Contest start; unset: the date and hour of the log's first QSO.
  std::optional<StatsDateTime> start;
  // Unset: STATION_CALLSIGN, else OPERATOR, of the first record.
  std::optional<std::string> ownCall;
  // Unset: the letters after the digits of the first QSO's sent exchange
  // ("001KI" gives "KI").
  std::optional<std::string> ownMultCode;
  std::string ownGroupCode;
  AdifQsoFields fields;
  bool cabrillo = false;
};

// One replay: the QSOs in log order and the reset's values.
struct ReplayPlan {
  std::vector<AdifQso> qsos;
  std::string ownCall;
  std::string ownMultCode;
  std::string ownGroupCode;
  StatsDateTime start{0.0, 2};  // null for a log without QSOs and no start given
  bool cabrillo = false;
};

// Reads the whole file at `path` as bytes; false when it cannot be read.
bool ReadLogFile(const std::string& path, std::string* text);

// Parses a contest start "YYYY-MM-DD HH" or "YYYYMMDD HH" (hour 0-23 in one
// or two digits) into a valid date-time on the full hour.
bool ParseContestStart(const std::string& text, StatsDateTime* start, std::string* problem);

// Reads `adifText` and maps every record. On failure returns false and
// `problem` tells where and why, as "record 3, field FREQ: <why>"; `plan` is
// then unspecified.
bool PlanReplay(const std::string& adifText, const ReplayOptions& options, ReplayPlan* plan,
                std::string* problem);

}  // namespace tools
