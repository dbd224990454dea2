#include "tools/plugin_outputs/plugin_outputs.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace tools {
namespace {

// Calls `each` with every line of `text`, without its CR LF or LF end.
template <typename Each>
void ForEachLine(std::string_view text, Each each) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    each(line);
    at = end + 1;
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// The words of `line` that blanks separate, into `words`. Views: a
// Cabrillo log is read line by line without a string per word.
void WordsOf(std::string_view line, std::vector<std::string_view>* words) {
  words->clear();
  size_t at = 0;
  while (at < line.size()) {
    const size_t end = std::min(line.find(' ', at), line.size());
    if (end > at) words->push_back(line.substr(at, end - at));
    at = end + 1;
  }
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole decimal number with an optional sign and surrounding blanks.
bool ParseNumber(const std::string& text, int64_t* value) {
  const std::string trimmed = Trimmed(text);
  if (trimmed.empty() || trimmed.size() > 18) return false;
  char* end = nullptr;
  *value = std::strtoll(trimmed.c_str(), &end, 10);
  return *end == '\0';
}

bool ParseNumber32(const std::string& text, int32_t* value) {
  int64_t wide = 0;
  if (!ParseNumber(text, &wide) || wide < INT32_MIN || wide > INT32_MAX) return false;
  *value = static_cast<int32_t>(wide);
  return true;
}

}  // namespace

ResultsTable ParseResultsText(const std::string& text) {
  ResultsTable table;
  bool inRows = false;
  for (const std::string& line : Lines(text)) {
    const std::vector<std::string> cells = Split(line, '\t');
    if (table.columns.empty()) {
      if (cells.size() > 1 && cells[0].empty() && !Trimmed(cells[1]).empty()) {
        for (size_t i = 1; i < cells.size(); ++i) table.columns.push_back(Trimmed(cells[i]));
        inRows = true;
      } else if (table.title.empty()) {
        table.title = Trimmed(line);
      }
      continue;
    }
    if (line.rfind(kPluginScorePrefix, 0) == 0) {
      const size_t equals = line.find('=');
      table.hasScore =
          equals != std::string::npos && ParseNumber(line.substr(equals + 1), &table.score);
      inRows = false;
      continue;
    }
    if (inRows && cells.size() == table.columns.size() + 1 && !cells[0].empty()) {
      ResultsTable::Row row{cells[0], {}};
      for (size_t i = 1; i < cells.size(); ++i) {
        int64_t value = 0;
        if (!ParseNumber(cells[i], &value)) break;
        row.values.push_back(value);
      }
      if (row.values.size() == table.columns.size()) table.rows.push_back(row);
      continue;
    }
    if (!inRows && table.hasScore && !line.empty()) table.credit = line;
  }
  return table;
}

int64_t PluginScore(const std::string& resultsText, int32_t outInteger) {
  const ResultsTable results = ParseResultsText(resultsText);
  return results.hasScore ? results.score : outInteger;
}

std::vector<CabrilloQso> ParseCabrilloQsos(const std::string& text) {
  std::vector<CabrilloQso> qsos;
  std::vector<std::string_view> words;
  ForEachLine(text, [&](std::string_view line) {
    WordsOf(line, &words);
    // Tag, frequency, mode, date, time, at least one exchange field, and the
    // score columns.
    constexpr size_t kHead = 5, kTail = kPluginScoreColumns;
    if (words.size() < kHead + 1 + kTail || words[0] != kPluginQsoTag) return;
    CabrilloQso qso;
    const std::string_view time = words[4];
    const std::string_view mult = words[words.size() - 2];
    int32_t hhmm = 0;
    if (!ParseNumber32(std::string(words[1]), &qso.freqKHz) || time.size() != 4 ||
        !ParseNumber32(std::string(time), &hhmm) || words[3].size() != 10 ||
        !ParseNumber32(std::string(words[words.size() - 3]), &qso.points) ||
        !ParseNumber32(std::string(words.back()), &qso.serial)) {
      return;
    }
    qso.multiplier = mult != kPluginNoMultiplier;
    if (qso.multiplier && !ParseNumber32(std::string(mult), &qso.multWeight)) return;
    qso.mode = words[2];
    qso.date = words[3];
    qso.hour = hhmm / 100;
    qso.minute = hhmm % 100;
    qso.exchange.assign(words.begin() + kHead, words.end() - kTail);
    qsos.push_back(std::move(qso));
  });
  return qsos;
}

std::vector<CabrilloHeaderLine> ParseCabrilloHeader(const std::string& text,
                                                    const std::string& prefix) {
  std::vector<CabrilloHeaderLine> header;
  for (const std::string& line : Lines(text)) {
    if (line.rfind(kPluginQsoTag, 0) == 0) break;
    const size_t colon = line.find(':');
    if (colon == std::string::npos || line.rfind(prefix, 0) != 0) continue;
    header.push_back({line.substr(0, colon), Trimmed(line.substr(colon + 1))});
  }
  return header;
}

std::vector<RefusedQso> ParseErrorFile(const std::string& text) {
  std::vector<RefusedQso> refused;
  const std::vector<std::string> lines = Lines(text);
  for (size_t i = 1; i < lines.size(); ++i) {
    if (Trimmed(lines[i]).empty()) continue;
    RefusedQso qso;
    qso.line = lines[i];
    std::string body = lines[i];
    if (body.rfind(kPluginQsoTag, 0) == 0) body.erase(0, sizeof kPluginQsoTag - 1);
    // The reason is the text after the last run of three or more blanks.
    const size_t separator = body.rfind(kPluginReasonSeparator);
    if (separator != std::string::npos) {
      qso.reason = Trimmed(body.substr(separator));
      body.erase(separator);
    }
    qso.qso = Trimmed(body);
    refused.push_back(qso);
  }
  return refused;
}

bool ErrorFileComplete(const std::string& text, size_t refused, size_t* lines) {
  *lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  return *lines >= refused + 1;
}

}  // namespace tools
