#pragma once

// What the plug-in writes for the operator, its layouts and their one
// reader: the results text (GetResult0), the QSO lines of its Cabrillo log
// and the lines of its err.txt. Every tool that reads these outputs reads
// them here. Nothing here scores a QSO: every number is the plug-in's.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/contest_facts.h"

namespace tools {

// The plug-in's Cabrillo QSO line, as printf writes it:
//   "QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s %i %i %i"
// frequency in kHz, mode, "yyyy-mm-dd hhmm", own call, sent report, sent
// exchange, worked call, received report; the received exchange after two
// blanks unless it is kPluginShortExchange characters long; then the
// kPluginScoreColumns: points, the band weight of a QSO that brought a
// multiplier or kPluginNoMultiplier, the serial value. A padded value that
// is longer than its width is written whole.
constexpr char kPluginQsoTag[] = "QSO:";
constexpr size_t kPluginFreqWidth = 5;
constexpr size_t kPluginModeWidth = 2;
constexpr size_t kPluginTimeWidth = 15;  // "yyyy-mm-dd hhmm"
constexpr size_t kPluginCallWidth = 13;
constexpr size_t kPluginReportWidth = 3;
constexpr size_t kPluginExchangeWidth = 6;
constexpr size_t kPluginShortExchange = 2;
constexpr size_t kPluginScoreColumns = 3;
constexpr char kPluginNoMultiplier[] = "--";

// The list of refused QSOs the plug-in writes in its current folder: a
// title line, then one line per refused QSO, "QSO:" and its values, and
// the reason after kPluginReasonSeparator ("NO TEST MODE !!!").
constexpr const char* kPluginErrorFile = stats::kErrorReportPath;
constexpr char kPluginReasonSeparator[] = "   ";

// The results text's line of the score, "Score:  = N".
constexpr char kPluginScorePrefix[] = "Score:";

// The results text: a title line, a head line of tab-separated column names,
// one line per band and a "Total" line with a number per column, a blank
// line, "Score:  = N", then the credit line.
struct ResultsTable {
  struct Row {
    std::string label;            // "80m", "Total"
    std::vector<int64_t> values;  // one per column
  };
  std::string title;                 // "CQ UT  Contest"
  std::vector<std::string> columns;  // "QSOs", "Points", "CW", "SSB"
  std::vector<Row> rows;             // bands in the plug-in's order, "Total" last
  int64_t score = 0;
  bool hasScore = false;
  std::string credit;  // the last line, as written
};

// Parses `text` (CR LF or LF line ends). Lines that fit none of the forms
// above are ignored; a text without a head line gives no columns and no rows.
ResultsTable ParseResultsText(const std::string& text);

// The plug-in's score of a replay: the results text's score line, else
// `outInteger`, GetResult0's out-integer (which is -1 when the Cabrillo
// log was asked for).
int64_t PluginScore(const std::string& resultsText, int32_t outInteger);

// One QSO line of the plug-in's Cabrillo log (kPluginQsoTag above), read
// by its blank-separated values.
struct CabrilloQso {
  int32_t freqKHz = 0;
  std::string mode;  // "CW", "PH" or "??"
  std::string date;  // "2026-12-19"
  int hour = 0;
  int minute = 0;
  std::vector<std::string> exchange;  // the blank-separated fields from the own call
                                      // to the received exchange, empty ones absent
  int32_t points = 0;
  bool multiplier = false;
  int32_t multWeight = 0;  // when `multiplier`
  int32_t serial = 0;
};

// The QSO lines of a Cabrillo log text, in file order; lines that do not
// begin with "QSO:" or lack a field are passed over.
std::vector<CabrilloQso> ParseCabrilloQsos(const std::string& text);

// A header line of a Cabrillo log, "TAG: value".
struct CabrilloHeaderLine {
  std::string tag;    // "CATEGORY-BAND"
  std::string value;  // trimmed; may be empty
};

// The header lines of a Cabrillo log text whose tag begins with `prefix`,
// in file order, up to its first QSO line.
std::vector<CabrilloHeaderLine> ParseCabrilloHeader(const std::string& text,
                                                    const std::string& prefix);

// One refused QSO of err.txt: "QSO:  freq  mode  date time  ...  exch" and
// the plug-in's reason after kPluginReasonSeparator.
struct RefusedQso {
  std::string line;    // the whole line as written, without its line end
  std::string qso;     // the line without "QSO:" and the reason, trimmed
  std::string reason;  // trimmed; empty when the line carries none
};

// The refused QSOs of an err.txt text: every line after the title line that
// is not empty.
std::vector<RefusedQso> ParseErrorFile(const std::string& text);

// Whether an err.txt text is whole for `refused` refused QSOs: its title
// line and a line for each, every one ended. `lines` gets the count of
// line ends.
bool ErrorFileComplete(const std::string& text, size_t refused, size_t* lines);

}  // namespace tools
