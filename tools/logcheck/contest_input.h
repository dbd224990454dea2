#pragma once

// The logs of a contest as logcheck reads them: every Cabrillo log given or
// found in the folders given, each read as logreplay plans a replay
// (tools/replay/replay_plan.h), one log per call, and the contest's
// start.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plugin/stats_api.h"
#include "stats/qso_fields.h"
#include "tools/logcheck/log_match.h"
#include "tools/replay/replay_plan.h"

namespace tools {

// A QSO as the plan offers it to the plug-in (AdifQso), each text its
// number in the contest's TextPool: a member for each value of AddData0's
// list (stats/host_fields.def).
struct StoredTypes {
  using Text = uint32_t;
  using Time = double;
  using Hz = uint32_t;
  using Flag = int32_t;
};
using StoredQso = stats::QsoFields<StoredTypes>;

struct EntrantLog {
  std::string path;  // as given, or the folder given joined with the name found
  std::string name;  // the file name
  // The log read, less its QSOs (qsos and qsoPlaces are empty: each is
  // made again from `stored` by RestoreQso), which `check` and `stored` hold.
  ReplayPlan plan;
  CheckLog check;                        // every QSO line read, in time order
  std::vector<StoredQso> stored;         // the same QSOs as the plan offers them
  std::string text;                      // the file, in UTF-8
  std::vector<uint32_t> lineStarts;      // where each line of `text` begins
  bool checklog = false;                 // a CATEGORY-... tag says CHECKLOG
  std::string category;                  // the entrant's class (ClassOf)
  std::vector<std::string> classValues;  // its value of each class tag; empty: missing
  double lastQso = 0.0;                  // the time of the last QSO, OLE date
};

// A log given or found that takes no part, and why.
struct SkippedLog {
  std::string path;
  std::string reason;
  bool replaced = false;  // by a later log of its call, a warning of its own
};

struct ContestInput {
  std::vector<EntrantLog> logs;  // by call
  TextPool texts;                // the texts of every log's `check`
  std::vector<SkippedLog> skipped;
  std::vector<std::string> warnings;  // one line each
  StatsDateTime start{0.0, kStatsDateNull};
  std::string startSource;
};

// The CATEGORY-... tags a log may hold, each a possible part of a class.
inline constexpr const char* kCategoryTags[] = {
    "CATEGORY-OPERATOR", "CATEGORY-BAND",     "CATEGORY-MODE",
    "CATEGORY-POWER",    "CATEGORY-ASSISTED", "CATEGORY-TRANSMITTER",
    "CATEGORY-STATION",  "CATEGORY-TIME",     "CATEGORY-OVERLAY"};

// The class of a log none of whose chosen tags has a value.
inline constexpr char kNoClass[] = "(no category)";

struct InputOptions {
  std::optional<StatsDateTime> start;  // unset: the start most logs begin in
  std::optional<GroupMap> groupMap;
  // The tags whose values make an entrant's class, upper case, in the order
  // the class names them.
  std::vector<std::string> classBy{"CATEGORY-OPERATOR", "CATEGORY-BAND", "CATEGORY-MODE",
                                   "CATEGORY-POWER"};
};

// The class of a log of these CATEGORY-... tags and values (tags and
// values upper case, as CabrilloLog::categories): "CHECKLOG" when any
// value says so; else the values of the tags of `classBy` the log has, in
// the order of `classBy`, joined by blanks (a tag missing or empty is left
// out); kNoClass when none has a value. Tags not in `classBy` never split
// a class. Sets `checklog`, and with `values` the value of each tag of
// `classBy` (empty: missing).
std::string ClassOf(const std::vector<std::pair<std::string, std::string>>& categories,
                    const std::vector<std::string>& classBy, bool* checklog,
                    std::vector<std::string>* values = nullptr);

// Reads every path: a file, and each file of a folder (not its
// subfolders, in name order), is read as a Cabrillo log; anything else (an
// empty, binary or ADIF file, a note) is skipped with what it seems to be.
// A log that cannot be read is skipped with its reason; a QSO line whose
// time, band or mode cannot be read stays in the log's `check` as
// unreadable, with a warning in `warnings`. Of two
// logs of one call the later wins, with a warning: the one whose last QSO
// is later, then the one whose file name sorts later, then whose path does.
// The contest start, unless given, is the hour most logs' first QSOs fall
// in (the earliest of a tie). Fails with `problem` when a path names
// nothing, or when no log is left.
bool ReadContest(const std::vector<std::string>& paths, const InputOptions& options,
                 ContestInput* input, std::string* problem);

// The QSOs of `plan` as the matcher takes them, with their line numbers,
// minutes of the logged time, calls and exchanges upper case, texts added
// to `texts`, then its unreadable lines (CheckQso::unreadable); with
// `stored`, the QSOs (not the unreadable lines) also as the plan offers
// them, in the same order.
CheckLog CheckLogOf(const ReplayPlan& plan, TextPool* texts,
                    std::vector<StoredQso>* stored = nullptr);

// The logs' `check`, moved out of `input`, in the order of its logs.
std::vector<CheckLog> TakeCheckLogs(ContestInput* input);

// The file's line `number` (1-based) without its line end, or "(line not
// found)".
std::string LineOf(const EntrantLog& log, size_t number);

// The plan's reset values alone (own call, codes, the contest's start):
// what a replay that is given its QSOs one at a time needs.
ReplayPlan ResetPlan(const EntrantLog& log, const StatsDateTime& start);
// One stored QSO as the plan offers it, written into `qso`.
void RestoreQso(const StoredQso& stored, const TextPool& texts, AdifQso* qso);

}  // namespace tools
