#pragma once

// Reads what the plug-in wrote for the operator back into values: its
// results text (GetResult0), the QSO lines of its Cabrillo log and the lines
// of its err.txt. Nothing here scores a QSO: every number is the plug-in's.

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

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

// One QSO line of the plug-in's Cabrillo log:
//   QSO: freq mode yyyy-mm-dd hhmm own rst exch call rst exch points mult serial
// where mult is the band weight of a QSO that brought a multiplier, "--"
// for any other.
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
// the plug-in's reason after three blanks ("NO TEST MODE !!!").
struct RefusedQso {
  std::string line;    // the whole line as written, without its line end
  std::string qso;     // the line without "QSO:" and the reason, trimmed
  std::string reason;  // trimmed; empty when the line carries none
};

// The refused QSOs of an err.txt text: every line after the title line that
// is not empty.
std::vector<RefusedQso> ParseErrorFile(const std::string& text);

}  // namespace tools
