#pragma once

// Reads a Cabrillo 3.0 log, as any contest logger writes it, into the QSOs
// the host offers to the plug-in: the same AdifQso that an ADIF record maps
// to, so that everything after reading is shared.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "tools/adif/adif_qso.h"

namespace tools {

// Where and why reading a Cabrillo line failed.
struct CabrilloError {
  size_t line = 0;    // 1-based line number in the file
  size_t column = 0;  // 1-based byte column of the value at fault; 0: the whole line
  std::string what;   // the value's role ("frequency", "worked call"); empty with column 0
  std::string message;

  // "line 25, column 12 (mode): <message>", or "line 25: <message>".
  std::string ToString() const;
};

// One QSO line read.
struct CabrilloQsoLine {
  size_t line = 0;      // 1-based line number
  AdifQso qso;          // multCode from the received exchange; group empty
  std::string ownCall;  // the line's own call column, upper case
};

// A QSO line that could not be read in full: why, and the values that
// were read (the others empty, time 0 unless `timeRead`).
struct CabrilloUnreadQso {
  CabrilloError error;
  AdifQso qso;
  bool timeRead = false;
};

// What a Cabrillo log holds for a replay. Header values are trimmed;
// absent tags leave them empty with line 0.
struct CabrilloLog {
  std::string callsign;  // CALLSIGN:, upper case
  size_t callsignLine = 0;
  std::string contest;  // CONTEST:, as written
  size_t contestLine = 0;
  std::string claimedScore;  // CLAIMED-SCORE:, as written
  size_t claimedScoreLine = 0;
  // The CATEGORY-... lines: tag in upper case ("CATEGORY-MODE") and value
  // upper case and trimmed, in file order; the first of a tag given twice.
  std::vector<std::pair<std::string, std::string>> categories;
  std::vector<CabrilloQsoLine> qsos;    // QSO: lines read, in file order
  std::vector<CabrilloError> badLines;  // lines that could not be read, in file order
  // The QSO: lines among `badLines`, with what was read of them.
  std::vector<CabrilloUnreadQso> unreadQsos;
  // QSO lines that strayed from the log's layout and were read by it: what
  // was assumed, in file order.
  std::vector<CabrilloError> assumed;
  size_t xQsoLines = 0;  // X-QSO: lines, passed over
  size_t firstXQsoLine = 0;
  size_t endOfLogLine = 0;  // END-OF-LOG:; 0 when the log lacks it
  size_t lastLine = 0;      // the last line read
};

// How Cabrillo QSO lines feed the host's arguments, as `logreplay score
// --help` shows it.
extern const char kCabrilloMappingTable[];

// Whether `text` is a Cabrillo log: its first line that is not blank
// (after a UTF-8 byte order mark) begins with the tag START-OF-LOG:, in
// any case.
bool IsCabrilloLog(const std::string& text);

// Maps one QSO line (without its line end; "QSO:" in any case, blanks or
// tabs between values) to a QSO:
//   QSO: freq mode yyyy-mm-dd hhmm own-call [rst-sent] exch-sent... call
//        [rst-rcvd] exch-rcvd... [transmitter id]
// The frequency is in kHz (a decimal point allowed) or a band designator
// below 1000 in MHz (7, 50, 144, 432), which gives the band's lower edge;
// it must lie in the band table. Modes PH, SSB, USB and LSB give "SSB";
// any other passes upper-cased, for the plug-in to accept or refuse. The
// worked call is the first value after the sent exchange that looks like
// a call (letters, a digit, letters). A report is a value of a signal
// report's form (IsSignalReport) where the line's layout has one; the
// plug-in's own three score columns (points, band weight or "--", serial)
// are dropped, and so is a last value 0 or 1 beyond the exchange
// (transmitter id). A line alone is its own layout (FindCabrilloLayout);
// ReadCabrillo reads each line by the layout of the whole log. Exchange
// values are joined as JoinExchange joins ADIF's ("599 015 CD" gives
// report 599, exchange 015CD). A line in the plug-in's own column layout
// is read by its columns, so that its empty values (a report, a worked
// call, an exchange) stay in place. On failure `error` names the line and
// the value at fault, and `qso` is unchanged.
bool CabrilloLineToQso(const std::string& line, size_t number, CabrilloQsoLine* qso,
                       CabrilloError* error);

// Reads a whole Cabrillo log (LF, CR LF or lone CR line ends). Tags are
// read in any case; unknown tags, X- tags and everything after END-OF-LOG:
// are passed over; X-QSO: lines are counted; of tags given twice the first
// counts. The layout of the QSO lines (FindCabrilloLayout) is found from
// all of them first and each line read by it; a line that strays from it
// adds what was assumed to `assumed`. A line where no value looks like a
// call takes the value at the layout's place of the worked call, as
// written (a miscopied "DLGB"), with a word in `assumed`. A QSO line that cannot be read and a
// line that is neither blank nor a tag go to `badLines`. Fails, filling
// `error`, only when `text` is no Cabrillo log (IsCabrilloLog). Any byte
// sequence is safe to pass.
bool ReadCabrillo(const std::string& text, CabrilloLog* log, CabrilloError* error);

}  // namespace tools
