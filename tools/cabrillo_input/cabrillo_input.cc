#include "tools/cabrillo_input/cabrillo_input.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "tools/adif/adif_values.h"
#include "tools/cabrillo_input/cabrillo_layout.h"
#include "tools/plugin_outputs/plugin_outputs.h"

namespace tools {
namespace {

constexpr uint32_t kHzPerKhz = 1000;
constexpr uint64_t kHzPerMhz = 1000000;
// Below this a frequency value is a band designator in MHz (7, 50, 432).
constexpr uint64_t kLowestKhz = 1000;
constexpr int kKhzDecimals = 3;  // kHz to Hz

const char kQsoTag[] = "QSO";
const char kCategoryTagPrefix[] = "CATEGORY-";

// Where the plug-in's own QSO line holds its frequency, right-aligned
// after the tag and a blank.
constexpr size_t kOwnFreqStart = std::char_traits<char>::length(kPluginQsoTag) + 1;
constexpr size_t kOwnFreqEnd = kOwnFreqStart + kPluginFreqWidth;

using Token = CabrilloToken;

// The values of one QSO line as written, before they are checked.
struct RawQso {
  Token freq, mode, date, time, ownCall, rstSent, exchSent, call, rstRcvd, exchRcvd;
};

// The tag of a "TAG: value" line in upper case, and where its value starts;
// empty when the line has none. Tags are letters, digits and '-'.
std::string TagOf(const std::string& line, size_t* valueAt) {
  size_t at = 0;
  while (at < line.size() && IsBlank(line[at])) ++at;
  const size_t start = at;
  while (at < line.size() && (IsLetter(line[at]) || IsDigit(line[at]) || line[at] == '-')) ++at;
  if (at == start || at == line.size() || line[at] != ':') return std::string();
  *valueAt = at + 1;
  return AdifUpper(line.substr(start, at - start));
}

// A value the plug-in's format pads to `width` and follows with a blank;
// a longer value is written whole up to the blank after it.
bool ReadPadded(const std::string& line, size_t* at, size_t width, Token* value) {
  const size_t start = *at;
  if (start + width < line.size() && line[start + width] == ' ') {
    std::string text = line.substr(start, width);
    text.erase(text.find_last_not_of(' ') + 1);
    if (text.find(' ') != std::string::npos || (!text.empty() && text[0] == ' ')) return false;
    *value = Token{text, start + 1};
    *at = start + width + 1;
    return true;
  }
  const size_t end = line.find(' ', start);
  if (end == std::string::npos || end <= start + width) return false;
  *value = Token{line.substr(start, end - start), start + 1};
  *at = end + 1;
  return true;
}

// Reads a line of the plug-in's own Cabrillo log by its columns (the
// layout in plugin_outputs.h). False for any line that strays from it.
bool ReadOwnLayout(const std::string& line, RawQso* raw) {
  if (line.compare(0, kOwnFreqStart, std::string(kPluginQsoTag) + " ") != 0) return false;
  size_t at = kOwnFreqStart;
  while (at < kOwnFreqEnd && at < line.size() && line[at] == ' ') ++at;
  const size_t freqStart = at;
  while (at < line.size() && IsDigit(line[at])) ++at;
  if (at == freqStart || at < kOwnFreqEnd || at >= line.size() || line[at] != ' ') return false;
  raw->freq = Token{line.substr(freqStart, at - freqStart), freqStart + 1};
  ++at;
  if (at + kPluginModeWidth >= line.size() || line[at + kPluginModeWidth] != ' ') return false;
  raw->mode = Token{line.substr(at, kPluginModeWidth), at + 1};
  at += kPluginModeWidth + 1;
  const char kTimePattern[] = "dddd-dd-dd dddd";
  if (at + kPluginTimeWidth >= line.size() || line[at + kPluginTimeWidth] != ' ') return false;
  for (size_t i = 0; i < kPluginTimeWidth; ++i) {
    const char c = line[at + i];
    if (kTimePattern[i] == 'd' ? !IsDigit(c) : c != kTimePattern[i]) return false;
  }
  raw->date = Token{line.substr(at, 10), at + 1};
  raw->time = Token{line.substr(at + 11, 4), at + 12};
  at += kPluginTimeWidth + 1;
  if (!ReadPadded(line, &at, kPluginCallWidth, &raw->ownCall) || raw->ownCall.text.empty() ||
      !ReadPadded(line, &at, kPluginReportWidth, &raw->rstSent) ||
      !ReadPadded(line, &at, kPluginExchangeWidth, &raw->exchSent) ||
      !ReadPadded(line, &at, kPluginCallWidth, &raw->call) ||
      !ReadPadded(line, &at, kPluginReportWidth, &raw->rstRcvd) || at >= line.size()) {
    return false;
  }
  const bool twoBlanks = line[at] == ' ';
  if (twoBlanks) ++at;
  const size_t end = line.find(' ', at);
  if (end == std::string::npos) return false;
  raw->exchRcvd = Token{line.substr(at, end - at), at + 1};
  if (twoBlanks == (raw->exchRcvd.text.size() == kPluginShortExchange)) return false;
  const std::vector<Token> scores = CabrilloTokens(line, end);
  if (scores.size() != kPluginScoreColumns || line.find("  ", end) != std::string::npos) {
    return false;
  }
  return line[end + 1] != ' ' && EndsInScoreColumns(scores, 0);
}

// A line of any logger split into its values: the fixed ones placed, the
// reports and exchanges waiting for the log's layout.
struct TokenLine {
  RawQso raw;
  CabrilloLineValues values;
  size_t lineEnd = 0;  // the column after the line's last byte
};

// False with `error` filled when the line lacks a value; with `values`,
// also when no value looks like a call, the values after the own call then
// left there for SplitAtLayout.
bool SplitTokens(const std::string& line, size_t valueAt, size_t number, TokenLine* split,
                 CabrilloError* error, std::vector<Token>* values = nullptr) {
  const std::vector<Token> tokens = CabrilloTokens(line, valueAt);
  const size_t kFixed = 5;  // frequency, mode, date, time, own call
  if (tokens.size() < kFixed) {
    *error = CabrilloError{number, 0, "",
                           "a QSO line needs a frequency, mode, date, time and own call before "
                           "the exchanges; this one has " +
                               std::to_string(tokens.size()) + " values"};
    return false;
  }
  RawQso& raw = split->raw;
  raw.freq = tokens[0];
  raw.mode = tokens[1];
  raw.date = tokens[2];
  raw.time = tokens[3];
  raw.ownCall = tokens[4];
  split->lineEnd = line.size() + 1;
  if (tokens.size() < kFixed + 2) {
    *error = CabrilloError{number, split->lineEnd, "sent exchange",
                           "the sent report and exchange are missing"};
    return false;
  }
  const std::vector<Token> after(tokens.begin() + kFixed, tokens.end());
  if (!SplitAtWorkedCall(after, &split->values)) {
    if (values != nullptr) *values = after;
    *error = CabrilloError{number, tokens[kFixed + 1].column, "worked call",
                           "no value after the sent exchange looks like a call (letters, a "
                           "digit, letters)"};
    return false;
  }
  raw.call = split->values.call;
  if (split->values.rcvd.empty()) {
    *error =
        CabrilloError{number, split->lineEnd, "received report", "the received report is missing"};
    return false;
  }
  return true;
}

// Splits the values after the own call at the layout's place of the worked
// call, for a line where none looks like a call; false when the line is
// too short to have a value after it.
bool SplitAtLayout(const std::vector<Token>& values, const CabrilloLayout& layout, size_t number,
                   TokenLine* split, std::vector<CabrilloError>* assumed) {
  const size_t call =
      (layout.sentReport && IsSignalReport(values[0].text) ? 1 : 0) + layout.sentExchange;
  if (call + 1 >= values.size()) return false;
  CabrilloLineValues& parts = split->values;
  parts.sent.assign(values.begin(), values.begin() + static_cast<long>(call));
  parts.call = values[call];
  parts.rcvd.assign(values.begin() + static_cast<long>(call) + 1, values.end());
  if (EndsInScoreColumns(parts.rcvd, 1)) parts.rcvd.resize(parts.rcvd.size() - kPluginScoreColumns);
  split->raw.call = parts.call;
  assumed->push_back(CabrilloError{number, parts.call.column, "worked call",
                                   "\"" + parts.call.text +
                                       "\" does not look like a call; read as the worked call "
                                       "from its place in the log's other lines"});
  return true;
}

// Places a split line's reports and exchanges by the log's layout; what
// had to be assumed where the line strays from it goes to `assumed`.
void PlaceByLayout(const CabrilloLayout& layout, size_t number, TokenLine* line,
                   std::vector<CabrilloError>* assumed) {
  const CabrilloSide sides[] = {
      ReadCabrilloSide(line->values.sent, true, layout.sentReport, layout.sentExchange, false,
                       line->lineEnd),
      ReadCabrilloSide(line->values.rcvd, false, layout.rcvdReport, layout.rcvdExchange,
                       layout.transmitterId, line->lineEnd)};
  line->raw.rstSent = sides[0].report;
  line->raw.exchSent = sides[0].exchange;
  line->raw.rstRcvd = sides[1].report;
  line->raw.exchRcvd = sides[1].exchange;
  for (const CabrilloSide& side : sides) {
    if (!side.assumed.empty()) {
      assumed->push_back(CabrilloError{number, side.assumedColumn, side.assumedWhat, side.assumed});
    }
  }
}

// The next line of `text` from `*at`, without its line end: LF, CR LF or a
// lone CR, as old Mac editors write.
std::string NextLine(const std::string& text, size_t* at) {
  size_t end = text.find_first_of("\r\n", *at);
  if (end == std::string::npos) end = text.size();
  std::string line = text.substr(*at, end - *at);
  *at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  return line;
}

bool Fail(size_t number, const Token& token, const char* what, const std::string& message,
          CabrilloError* error) {
  *error = CabrilloError{number, token.column, what, "\"" + token.text + "\" " + message};
  return false;
}

// Hz of a frequency in kHz (digits, at most one '.'); a value below 1000
// is a band designator in MHz and gives its band's lower edge.
bool FrequencyHz(const Token& token, size_t number, uint32_t* hz, CabrilloError* error) {
  const std::string& text = token.text;
  uint64_t whole = 0;
  uint64_t fraction = 0;  // in Hz, from at most three decimals
  int decimals = -1;      // -1: no point yet
  for (char c : text) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
    } else if (!IsDigit(c)) {
      return Fail(number, token, "frequency",
                  "is not a frequency in kHz (digits and at most one '.') or a band designator",
                  error);
    } else if (decimals < 0) {
      whole = std::min<uint64_t>(whole * 10 + uint64_t(c - '0'), uint64_t{UINT32_MAX} + 1);
    } else if (decimals < kKhzDecimals) {
      fraction = fraction * 10 + uint64_t(c - '0');
      ++decimals;
    }
  }
  if (text == ".") return Fail(number, token, "frequency", "is not a frequency in kHz", error);
  for (int d = decimals < 0 ? 0 : decimals; d < kKhzDecimals; ++d) fraction *= 10;
  if (whole < kLowestKhz) {
    const uint64_t designatorHz = (whole * 1000 + fraction) * (kHzPerMhz / 1000);
    const std::string band = BandOfFrequency(static_cast<uint32_t>(designatorHz));
    if (band.empty()) {
      return Fail(number, token, "frequency",
                  "below 1000 is read as a band designator in MHz, and no band of the band "
                  "table holds it",
                  error);
    }
    *hz = BandLowerEdgeHz(band);
    return true;
  }
  const uint64_t value = whole * kHzPerKhz + fraction;
  if (value > UINT32_MAX || BandOfFrequency(static_cast<uint32_t>(value)).empty()) {
    return Fail(number, token, "frequency", "kHz lies in no band of the band table", error);
  }
  *hz = static_cast<uint32_t>(value);
  return true;
}

// Reads every value of `raw`. On failure `error` names the first value at
// fault, and `unread`, when given, gets the values that were read.
bool ToQso(const RawQso& raw, size_t number, CabrilloQsoLine* out, CabrilloError* error,
           CabrilloUnreadQso* unread = nullptr) {
  CabrilloQsoLine parsed;
  parsed.line = number;
  AdifQso& qso = parsed.qso;
  bool read = true;
  CabrilloError first;
  CabrilloError fault;
  const auto failed = [&]() {
    if (read) first = fault;
    read = false;
  };
  if (FrequencyHz(raw.freq, number, &qso.freqHz, &fault)) {
    qso.band = BandOfFrequency(qso.freqHz);
  } else {
    failed();
  }
  const std::string& date = raw.date.text;
  CivilDate civil;
  TimeOfDay time;
  std::string problem;
  bool timeRead = false;
  if (date.size() != 10 || date[4] != '-' || date[7] != '-' ||
      !ParseAdifDate(date.substr(0, 4) + date.substr(5, 2) + date.substr(8), &civil, &problem)) {
    Fail(number, raw.date, "date",
         "is not a date yyyy-mm-dd" + (problem.empty() ? "" : ": " + problem), &fault);
    failed();
  } else if (raw.time.text.size() != 4 || !ParseAdifTime(raw.time.text, &time, &problem)) {
    Fail(number, raw.time, "time", "is not a time hhmm (UTC)", &fault);
    failed();
  } else {
    qso.time = ToOleDate(civil, time);
    timeRead = true;
  }
  qso.mode = HostMode(raw.mode.text);
  if (qso.mode == "PH") qso.mode = "SSB";
  parsed.ownCall = UpperTrimmed(raw.ownCall.text);
  if (parsed.ownCall.empty()) {
    Fail(number, raw.ownCall, "own call", "is blank", &fault);
    failed();
  }
  qso.call = UpperTrimmed(raw.call.text);
  qso.rstSent = raw.rstSent.text;
  qso.rstRcvd = raw.rstRcvd.text;
  qso.exchSent = JoinExchange(raw.exchSent.text, std::string());
  qso.exchRcvd = JoinExchange(raw.exchRcvd.text, std::string());
  qso.multCode = MultCodeFromExchange(qso.exchRcvd);
  if (!read) {
    *error = first;
    if (unread != nullptr) *unread = CabrilloUnreadQso{first, qso, timeRead};
    return false;
  }
  *out = parsed;
  return true;
}

// A QSO line that could not be split: `error`, and what of its fixed values
// (frequency, mode, date, time) reads.
CabrilloUnreadQso UnreadOf(const RawQso& raw, size_t number, const CabrilloError& error) {
  CabrilloUnreadQso unread;
  CabrilloQsoLine unused;
  CabrilloError ignored;
  ToQso(raw, number, &unused, &ignored, &unread);
  unread.error = error;
  return unread;
}

}  // namespace

const char kCabrilloMappingTable[] =
    "  plug-in is given   from a Cabrillo QSO line\n"
    "  worked call        the first value after the sent exchange that looks\n"
    "                     like a call (letters, a digit, letters)\n"
    "  QSO time (UTC)     date yyyy-mm-dd and time hhmm, in time order\n"
    "  frequency, band    kHz; a value below 1000 is a band designator in\n"
    "                     MHz (7 for 40m, 50, 144, 432): the band's lower\n"
    "                     edge\n"
    "  mode               PH, SSB, USB and LSB as SSB; others upper case\n"
    "  reports            a value of a report's form (59, 599, 5NN) after the\n"
    "                     own call and after the worked call, where the\n"
    "                     log's QSO lines give reports\n"
    "  exchanges          the values after each report, joined (599 015 CD\n"
    "                     gives 015CD), less a transmitter id 0 or 1 beyond\n"
    "                     the exchange or the plug-in's own three score\n"
    "                     columns\n"
    "  multiplier code    the letters after the digits of the received\n"
    "                     exchange\n"
    "  group code         --group-map; without it, empty\n"
    "  own call           --own-call; else CALLSIGN:, else the own call of\n"
    "                     the first QSO line in time order\n"
    "Which values a line gives (reports or not, how many exchange values, a\n"
    "transmitter id) is read from all QSO lines first; a line that strays\n"
    "from them is read as the others are, with a warning naming it.\n"
    "CONTEST: is shown, CLAIMED-SCORE: (1513, 1,513 or 1 513) is compared\n"
    "with the plug-in's score, X-QSO: lines are counted and passed over, a\n"
    "log without END-OF-LOG: is warned of. UTF-16 logs are read; ADX is not.\n";

std::string CabrilloError::ToString() const {
  std::string text = "line " + std::to_string(line);
  if (column != 0) text += ", column " + std::to_string(column) + " (" + what + ")";
  return text + ": " + message;
}

bool IsCabrilloLog(const std::string& text) {
  size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  size_t valueAt = 0;
  return TagOf(NextLine(text, &at), &valueAt) == "START-OF-LOG";
}

bool CabrilloLineToQso(const std::string& line, size_t number, CabrilloQsoLine* qso,
                       CabrilloError* error) {
  size_t valueAt = 0;
  if (TagOf(line, &valueAt) != kQsoTag) {
    *error = CabrilloError{number, 0, "", "not a QSO: line"};
    return false;
  }
  TokenLine split;
  if (ReadOwnLayout(line, &split.raw)) return ToQso(split.raw, number, qso, error);
  if (!SplitTokens(line, valueAt, number, &split, error)) return false;
  std::vector<CabrilloError> assumed;
  PlaceByLayout(FindCabrilloLayout({split.values}), number, &split, &assumed);
  return ToQso(split.raw, number, qso, error);
}

bool ReadCabrillo(const std::string& text, CabrilloLog* log, CabrilloError* error) {
  *log = CabrilloLog();
  if (!IsCabrilloLog(text)) {
    *error = CabrilloError{1, 0, "", "not a Cabrillo log: no START-OF-LOG: line first"};
    return false;
  }
  // The layout comes from all QSO lines, so they are read once it is known.
  struct QsoLine {
    size_t number;
    bool byColumns;
    TokenLine split;
    std::vector<Token> noCall;  // the values of a line where none looks like a call
  };
  std::vector<QsoLine> qsoLines;
  std::vector<CabrilloLineValues> values;
  size_t number = 0;
  for (size_t at = 0; at < text.size();) {
    std::string line = NextLine(text, &at);
    ++number;
    if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    size_t valueAt = 0;
    const std::string tag = TagOf(line, &valueAt);
    const std::string value = tag.empty() ? std::string() : UpperTrimmed(line.substr(valueAt));
    if (tag.empty()) {
      log->badLines.push_back(CabrilloError{number, 0, "", "neither a TAG: value line nor blank"});
    } else if (tag == kQsoTag) {
      QsoLine qso{number, false, TokenLine(), {}};
      qso.byColumns = ReadOwnLayout(line, &qso.split.raw);
      if (!qso.byColumns) {
        CabrilloError bad;
        if (SplitTokens(line, valueAt, number, &qso.split, &bad, &qso.noCall)) {
          values.push_back(qso.split.values);
        } else if (qso.noCall.empty()) {
          log->badLines.push_back(bad);
          log->unreadQsos.push_back(UnreadOf(qso.split.raw, number, bad));
          continue;
        }
      }
      qsoLines.push_back(std::move(qso));
    } else if (tag == "X-QSO") {
      if (log->xQsoLines++ == 0) log->firstXQsoLine = number;
    } else if (tag == "END-OF-LOG") {
      log->endOfLogLine = number;
      break;
    } else if (tag == "CALLSIGN" && log->callsignLine == 0) {
      log->callsign = value;
      log->callsignLine = number;
    } else if (tag == "CONTEST" && log->contestLine == 0) {
      log->contestLine = number;
      const std::string raw = line.substr(valueAt);
      const size_t first = raw.find_first_not_of(" \t");
      log->contest = first == std::string::npos
                         ? ""
                         : raw.substr(first, raw.find_last_not_of(" \t") - first + 1);
    } else if (tag.rfind(kCategoryTagPrefix, 0) == 0 &&
               std::none_of(log->categories.begin(), log->categories.end(),
                            [&](const auto& given) { return given.first == tag; })) {
      log->categories.emplace_back(tag, value);
    } else if (tag == "CLAIMED-SCORE" && log->claimedScoreLine == 0) {
      log->claimedScore = value;
      log->claimedScoreLine = number;
    }
  }
  log->lastLine = number;

  const CabrilloLayout layout = FindCabrilloLayout(values);
  for (QsoLine& line : qsoLines) {
    if (!line.noCall.empty() &&
        !SplitAtLayout(line.noCall, layout, line.number, &line.split, &log->assumed)) {
      const CabrilloError bad{line.number, line.noCall[0].column, "worked call",
                              "no value after the sent exchange looks like a call (letters, a "
                              "digit, letters)"};
      log->badLines.push_back(bad);
      log->unreadQsos.push_back(UnreadOf(line.split.raw, line.number, bad));
      continue;
    }
    if (!line.byColumns) PlaceByLayout(layout, line.number, &line.split, &log->assumed);
    CabrilloQsoLine qso;
    CabrilloError bad;
    CabrilloUnreadQso unread;
    if (ToQso(line.split.raw, line.number, &qso, &bad, &unread)) {
      log->qsos.push_back(qso);
    } else {
      log->badLines.push_back(bad);
      log->unreadQsos.push_back(unread);
    }
  }
  const auto byLine = [](const CabrilloError& a, const CabrilloError& b) {
    return a.line < b.line;
  };
  std::stable_sort(log->badLines.begin(), log->badLines.end(), byLine);
  std::stable_sort(log->assumed.begin(), log->assumed.end(), byLine);
  std::stable_sort(log->unreadQsos.begin(), log->unreadQsos.end(),
                   [&](const CabrilloUnreadQso& a, const CabrilloUnreadQso& b) {
                     return byLine(a.error, b.error);
                   });
  return true;
}

}  // namespace tools
