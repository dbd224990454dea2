#include "tools/cabrillo_input/cabrillo_layout.h"

#include <map>

#include "tools/adif/adif_values.h"
#include "tools/plugin_outputs/plugin_outputs.h"

namespace tools {
namespace {

bool IsTransmitterId(const CabrilloToken& token) { return token.text == "0" || token.text == "1"; }

// The commonest of `counts`, the larger on a tie.
size_t Commonest(const std::vector<size_t>& counts) {
  std::map<size_t, size_t> tally;
  for (size_t count : counts) ++tally[count];
  size_t best = 0;
  size_t bestTally = 0;
  for (const auto& entry : tally) {
    if (entry.second >= bestTally) {
      best = entry.first;
      bestTally = entry.second;
    }
  }
  return best;
}

std::string Joined(const std::vector<CabrilloToken>& values, size_t first, size_t end) {
  std::string text;
  for (size_t i = first; i < end; ++i) text += (i == first ? "" : " ") + values[i].text;
  return text;
}

std::string Values(size_t count) {
  return std::to_string(count) + (count == 1 ? " value" : " values");
}

}  // namespace

bool EndsInScoreColumns(const std::vector<CabrilloToken>& values, size_t before) {
  const size_t n = values.size();
  return n >= before + kPluginScoreColumns && IsInteger(values[n - 3].text) &&
         (IsInteger(values[n - 2].text) || values[n - 2].text == kPluginNoMultiplier) &&
         IsInteger(values[n - 1].text);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsInteger(const std::string& text) {
  const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
  if (text.size() == first) return false;
  for (size_t i = first; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

std::vector<CabrilloToken> CabrilloTokens(const std::string& line, size_t from) {
  std::vector<CabrilloToken> tokens;
  for (size_t at = from; at < line.size();) {
    if (IsBlank(line[at])) {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    tokens.push_back(CabrilloToken{line.substr(at, end - at), at + 1});
    at = end;
  }
  return tokens;
}

bool IsSignalReport(const std::string& token) {
  if (token.size() != 2 && token.size() != 3) return false;
  if (token[0] < '1' || token[0] > '5') return false;
  for (size_t i = 1; i < token.size(); ++i) {
    const char c = token[i];
    if ((c < '1' || c > '9') && c != 'N' && c != 'n') return false;
  }
  return true;
}

bool LooksLikeCall(const std::string& token) {
  int stage = 0;  // 0: no letter yet, 1: a letter, 2: then a digit, 3: then a letter
  for (char c : token) {
    if (c == '/') {
      if (stage == 3) return true;
      stage = 0;
    } else if (IsLetter(c)) {
      if (stage == 0 || stage == 2) ++stage;
    } else if (IsDigit(c)) {
      if (stage == 1) stage = 2;
    } else {
      return false;
    }
  }
  return stage == 3;
}

bool SplitAtWorkedCall(const std::vector<CabrilloToken>& values, CabrilloLineValues* split) {
  if (values.size() < 2) return false;
  const bool report = IsSignalReport(values[0].text);
  size_t call = report ? 2 : 1;
  while (call < values.size() && !LooksLikeCall(values[call].text)) ++call;
  if (call == values.size()) {
    if (!report || !LooksLikeCall(values[1].text)) return false;
    call = 1;
  }
  split->sent.assign(values.begin(), values.begin() + static_cast<long>(call));
  split->call = values[call];
  split->rcvd.assign(values.begin() + static_cast<long>(call) + 1, values.end());
  if (EndsInScoreColumns(split->rcvd, 1)) {
    split->rcvd.resize(split->rcvd.size() - kPluginScoreColumns);
  }
  return true;
}

CabrilloLayout FindCabrilloLayout(const std::vector<CabrilloLineValues>& lines) {
  // One side's layout: its report, its values without the report, and of
  // those lines how many end in a transmitter id.
  struct Side {
    bool report = true;
    size_t values = 1;
    bool endsInId = false;
  };
  const auto find = [&](std::vector<CabrilloToken> CabrilloLineValues::*member) {
    // A side with a report and nothing else has lost its exchange: it
    // tells nothing of the exchange's count.
    const auto votes = [](const std::vector<CabrilloToken>& side) {
      return side.size() > 1 || (side.size() == 1 && !IsSignalReport(side[0].text));
    };
    std::vector<size_t> counts;
    for (const CabrilloLineValues& line : lines) {
      if (votes(line.*member)) counts.push_back((line.*member).size());
    }
    Side side;
    if (counts.empty()) return side;
    const size_t count = Commonest(counts);
    size_t voters = 0, reports = 0, ids = 0;
    for (const CabrilloLineValues& line : lines) {
      const std::vector<CabrilloToken>& values = line.*member;
      if (values.size() != count || !votes(values)) continue;
      ++voters;
      reports += IsSignalReport(values[0].text) ? 1 : 0;
      ids += IsTransmitterId(values.back()) ? 1 : 0;
    }
    side.report = 2 * reports >= voters;
    side.values = count - (side.report ? 1 : 0);
    side.endsInId = side.values >= 2 && 2 * ids >= voters;
    return side;
  };
  const Side sent = find(&CabrilloLineValues::sent);
  const Side rcvd = find(&CabrilloLineValues::rcvd);
  CabrilloLayout layout;
  layout.sentReport = sent.report;
  layout.sentExchange = sent.values;
  layout.rcvdReport = rcvd.report;
  layout.transmitterId = rcvd.endsInId;
  layout.rcvdExchange = rcvd.values - (rcvd.endsInId ? 1 : 0);
  return layout;
}

CabrilloSide ReadCabrilloSide(const std::vector<CabrilloToken>& values, bool sent, bool report,
                              size_t exchangeValues, bool transmitterId, size_t lineEnd) {
  const std::string side = sent ? "sent" : "received";
  const bool hasReport = !values.empty() && IsSignalReport(values[0].text);
  size_t end = values.size();
  // A transmitter id only where the exchange keeps its count without it;
  // in a log whose lines end in one, after any exchange value: a code sent
  // without a serial ("59 RT 0") is a value short of a split exchange.
  if (!sent && end >= 2 && IsTransmitterId(values[end - 1]) &&
      end - 1 >= (transmitterId ? 1 : exchangeValues) + (report && hasReport ? 1 : 0)) {
    --end;
  }

  CabrilloSide read;
  // Where the layout has no report, a report's form in front of a full
  // exchange is still a report: only then does the exchange fill its count.
  const bool takeReport = hasReport && (report || end > exchangeValues);
  const size_t first = takeReport ? 1 : 0;
  if (takeReport) read.report = values[0];
  read.exchange =
      CabrilloToken{Joined(values, first, end), first < end ? values[first].column : lineEnd};
  const std::string exchange = JoinExchange(read.exchange.text, std::string());
  const std::string shown = "\"" + exchange + "\"";
  const size_t given = end - first;

  if (report && end > 0 && !takeReport) {
    read.assumedWhat = side + " report";
    read.assumedColumn = values[0].column;
    read.assumed = "\"" + values[0].text +
                   "\" is no signal report, where the log's QSO lines give one: read as " + side +
                   " exchange " + shown + ", the report left empty";
  } else if (!report && takeReport) {
    read.assumedWhat = side + " report";
    read.assumedColumn = values[0].column;
    read.assumed = "\"" + values[0].text + "\" read as a " + side +
                   " report, which the log's QSO lines do not give, and " + shown +
                   " as the exchange";
  } else if (given > exchangeValues || (given < exchangeValues && takeReport &&
                                        (exchange.empty() || !IsDigit(exchange[0])))) {
    read.assumedWhat = side + " exchange";
    read.assumedColumn = read.exchange.column;
    read.assumed = given == 0
                       ? "no " + side + " exchange after the report \"" + read.report.text +
                             "\", where the log's QSO lines give " + Values(exchangeValues)
                       : Values(given) + " where the log's QSO lines give " +
                             std::to_string(exchangeValues) + ": read as " + side + " exchange " +
                             shown +
                             (takeReport ? " after the report \"" + read.report.text + "\"" : "");
  }
  return read;
}

}  // namespace tools
