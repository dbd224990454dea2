#pragma once

// What logcheck writes: the verdict of every QSO line, the figures of every
// log, the results by category and a report per entrant. Pure: texts from
// the check's results.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/logcheck/contest_input.h"
#include "tools/logcheck/log_match.h"

namespace tools {

// A QSO of log `log` that miscopied another log's call (`call`) or the
// exchange it sent.
struct Miscopy {
  size_t log = 0;
  bool call = false;
};

// What the plug-in and the other logs made of one entrant's log.
struct EntrantResult {
  std::optional<long long> plugin;  // all QSOs; unset for a checklog
  // Credited QSOs, less the penalty; unset for a checklog.
  std::optional<long long> checked;
  // Aligned with the log's stored QSOs: the points the plug-in gave each
  // QSO when it scored all of them (0: none given), and whether the QSO
  // brought a multiplier there; empty for a checklog, or when the
  // plug-in's Cabrillo log of that scoring could not be read.
  std::vector<int32_t> points;
  std::vector<bool> multipliers;
  long long penalty = 0;  // the points taken off
  // The QSOs of other logs that miscopied its call or exchange
  // (FindMiscopies); empty: none listed.
  std::vector<Miscopy> miscopies;
};

// A checked contest: `logs[i]`, `verdicts[i]` and `entrants[i]` belong to
// one log, in the order of ContestInput::logs.
struct ContestCheck {
  const ContestInput* input = nullptr;
  std::vector<CheckLog> logs;
  std::vector<LogVerdicts> verdicts;
  std::vector<EntrantResult> entrants;
  // --penalty: each busted call and nil costs this many times its points.
  int penalty = 0;
  MatchOptions options;
};

// The miscopies of every log's call and exchange, for ContestCheck.
std::vector<std::vector<Miscopy>> FindMiscopies(const ContestCheck& check);

// verdicts.csv: the header row, then the rows of each log (logs by call),
// one per QSO line, lines in file order:
// log,line,call,band,mode,time,worked_call,verdict,correct,other_log,other_line,minutes_apart
std::string VerdictsCsvHeader();
std::string VerdictsCsvRows(const ContestCheck& check, size_t index);

// logs.csv: a header row, then one row per log by call (category: the
// log's class, EntrantLog::category):
// log,call,category,qsos,credited,removed,clock_offset_min,claimed_score,plugin_score,checked_score
std::string LogsCsv(const ContestCheck& check);

// results.csv: category,place,call,log,qsos,credited,claimed_score,plugin_score,checked_score,
// reduction_pct; entrants (no checklogs) class by class, highest checked
// score first (ties by call), places from 1 in each class, equal scores
// sharing a place. Classes by their tags in the order of --class-by, a tag
// missing first, each tag's values in their usual order (SINGLE-OP,
// MULTI-OP; ALL, then by wavelength; MIXED, CW, SSB, ...; HIGH, LOW, QRP),
// values not known after those, "(no category)" last. reduction_pct: the claim less the checked score,
// in % of the claim, one decimal; empty without a claim above 0.
std::string ResultsCsv(const ContestCheck& check);
// The same ranking as a page to publish: the contest's name (the CONTEST:
// most logs give; the plug-in's name when none does) and start, the logs
// and QSO lines checked, how they were checked, a table per class (place,
// call linked to its report, QSO lines, credited, claimed, checked,
// reduction), the checklogs. No script; inline CSS.
std::string ResultsHtml(const ContestCheck& check);

// The report of log `index`: its class and every CATEGORY- tag, the summary (QSOs = credited + each kind
// removed), the scores and any penalty, the clock correction, one section
// per verdict but confirmed with the entrant's line and the other log's,
// the stations that miscopied this entrant's call or exchange, and the
// multipliers lost: those the plug-in counted over all QSOs that no
// credited QSO holds (band, code and tour). A checklog's report says how
// its QSOs were judged.
std::string EntrantReport(const ContestCheck& check, size_t index);
// `report`, the report of log `index` (EntrantReport), as an HTML page with
// a link to ../results.html: its first line the title; a line at the left
// edge followed by indented lines a heading over them, those lines, less
// two blanks of indent, in a <pre>; other lines paragraphs. Every text is
// escaped; line breaks and tabs are kept.
std::string EntrantReportHtml(const ContestCheck& check, size_t index, const std::string& report);
// "UT5XX.txt" for UT5XX, "UT5XX_P.txt" for UT5XX/P: '/' and other
// characters a file name cannot hold become '_'.
std::string ReportFileName(const std::string& call, const char* extension);

// The lines logcheck prints when done: logs checked and skipped, QSOs by
// verdict, clock corrections.
std::string CheckSummary(const ContestCheck& check);

}  // namespace tools
