#pragma once

// The layout of a Cabrillo log's QSO lines after the own call: whether
// reports are written, how many values each exchange takes, whether a
// transmitter id ends the line. Found from all QSO lines before any is
// read, so that a line that strays from it (a report left out, a value
// too many) is read as its neighbours are, with a word on what was
// assumed, instead of shifting a serial into the report's place.

#include <cstddef>
#include <string>
#include <vector>

namespace tools {

// The characters and values of a QSO line, as the layout and the reader
// see them. Blanks are those UpperTrimmed takes off a value; an integer is
// digits with an optional leading '-'.
bool IsBlank(char c);
bool IsDigit(char c);
bool IsLetter(char c);
bool IsInteger(const std::string& text);

struct CabrilloToken {
  std::string text;
  size_t column = 0;  // 1-based byte column in the line
};

// The values of `line` from byte `from` on, split at blanks and tabs.
std::vector<CabrilloToken> CabrilloTokens(const std::string& line, size_t from);

// Whether `token` has a signal report's form: readability 1-5, strength
// 1-9, and a tone 1-9 when three characters long; N (any case) stands for
// 9 (59, 599, 5NN, 339).
bool IsSignalReport(const std::string& token);

// Whether `values` end in the plug-in's score columns (points, band weight
// or "--", serial: the layout in plugin_outputs.h) with at least `before`
// values before them.
bool EndsInScoreColumns(const std::vector<CabrilloToken>& values, size_t before);

// Whether `token` looks like a call: letters, a digit, letters, in one of
// its '/'-parts (UR5AA, 2E0ABC, UT9ZZQ/P, R9/UT5AA; not 015CD, 599, KI).
bool LooksLikeCall(const std::string& token);

// The values of one QSO line after its own call, split at the worked call.
struct CabrilloLineValues {
  std::vector<CabrilloToken> sent;  // report and exchange as written; at least one value
  CabrilloToken call;
  // Report, exchange and transmitter id as written, less the plug-in's
  // three score columns (points, band weight or "--", serial).
  std::vector<CabrilloToken> rcvd;
};

// Splits `values` (the tokens after the own call) at the worked call: the
// first value that looks like a call after the first sent value, or after
// the first two when the first is a signal report; a call right after a
// lone sent report is taken too. False when no value fits.
bool SplitAtWorkedCall(const std::vector<CabrilloToken>& values, CabrilloLineValues* split);

struct CabrilloLayout {
  bool sentReport = true;
  size_t sentExchange = 1;  // values of the sent exchange
  bool rcvdReport = true;
  size_t rcvdExchange = 1;  // values of the received exchange, without the transmitter id
  bool transmitterId = false;
};

// The layout most of `lines` follow: the commonest count of sent and of
// received values (a tie goes to the larger, as a value left out is more
// common than one too many; a side that holds a report alone has lost its
// exchange and is not counted); a report when at least half the lines of
// that count begin with one; a transmitter id when at least half of them
// end in 0 or 1 and an exchange value stays before it. No lines to count:
// the default.
CabrilloLayout FindCabrilloLayout(const std::vector<CabrilloLineValues>& lines);

// One side of a QSO read by the layout.
struct CabrilloSide {
  CabrilloToken report;    // empty text when the line gives none
  CabrilloToken exchange;  // the exchange values joined by one blank
  // Empty, or what was assumed where the line strays from the layout, in
  // words that follow "line N, column C (<what>): ".
  std::string assumed;
  size_t assumedColumn = 0;
  std::string assumedWhat;  // "received report", "sent exchange", ...
};

// Reads one side's values by the layout's report and exchange count
// (`sent` names the side in `assumed`). A last value 0 or 1 beyond the
// exchange's count is a transmitter id and dropped, on the received side
// only; where the layout has a `transmitterId`, so is one after at least
// one exchange value. A first value of a report's form is the report where the layout
// has one; one that lacks that form starts the exchange, the report left
// empty. Values fewer than the layout's are said when the report might be
// a serial (the exchange then does not start with a digit); more are
// always said. `lineEnd` is the column given to an empty exchange.
CabrilloSide ReadCabrilloSide(const std::vector<CabrilloToken>& values, bool sent, bool report,
                              size_t exchangeValues, bool transmitterId, size_t lineEnd);

}  // namespace tools
