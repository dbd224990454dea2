// Formatting QSO lines and writing the Cabrillo log file.

#include <cstdarg>
#include <cstdio>

#include "cabrillo/cabrillo_log.h"
#include "cabrillo/header_fields.h"
#include "stats/contest_facts.h"
#include "stats/store/info.h"

using stats::kNoResult;

namespace cabrillo {
namespace {

std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (size > 0) {
    text.resize(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(&text[0], text.size(), format, again);
    text.resize(static_cast<std::size_t>(size));
  }
  va_end(again);
  return text;
}

void AppendHeaderLine(std::string* text, const char* tag, const std::string& value) {
  *text += tag;
  *text += ": ";
  *text += value;
  *text += "\r\n";
}

}  // namespace

void CCabrilloLog::AddQsoLine(const std::string& call, int32_t freqKHz, const std::string& mode,
                              const platform::COleDateTime& time, const std::string& rstSent,
                              const std::string& exchSent, const std::string& rstRcvd,
                              const std::string& exchRcvd, int32_t points, int32_t multBand,
                              int32_t serial) {
  // A two-character received exchange gets one blank before it, any other
  // two; a QSO that is not a new multiplier shows "--" in that column.
  static const char* const kFormats[2][2] = {
      {"QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s  %s %i -- %i\r\n",
       "QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s %i -- %i\r\n"},
      {"QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s  %s %i %i %i\r\n",
       "QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s %i %i %i\r\n"}};
  const bool marked = multBand != kNoResult;
  const char* format = kFormats[marked ? 1 : 0][exchRcvd.size() == 2 ? 1 : 0];
  const std::string when = time.Format("%Y-%m-%d %H%M");
  // %i reads an int from the variable arguments; int32_t may be another type
  // of the same width (long on some compilers), so each number is copied
  // into an int first.
  const int freq = freqKHz, pts = points, mult = multBand, number = serial;
  if (marked) {
    m_qsoLines.push_back(Printf(format, freq, mode.c_str(), when.c_str(), m_callsign.c_str(),
                                rstSent.c_str(), exchSent.c_str(), call.c_str(), rstRcvd.c_str(),
                                exchRcvd.c_str(), pts, mult, number));
  } else {
    m_qsoLines.push_back(Printf(format, freq, mode.c_str(), when.c_str(), m_callsign.c_str(),
                                rstSent.c_str(), exchSent.c_str(), call.c_str(), rstRcvd.c_str(),
                                exchRcvd.c_str(), pts, number));
  }
}

std::string CCabrilloLog::LogText(int32_t claimedScore, const std::string& hostVersion) const {
  std::string text = "START-OF-LOG: 3.0\r\nCONTEST: " STATS_CONTEST_NAME "\r\n";
  AppendHeaderLine(&text, "CREATED-BY", "Tovu " + hostVersion);
  for (const HeaderField* field : HeaderFieldsBy(&HeaderField::line)) {
    if (field->line == 0) continue;
    const bool score = (field->flags & kScore) != 0;
    AppendHeaderLine(&text, field->tag,
                     score ? std::to_string(claimedScore) : this->*field->member);
  }
  for (const std::string& line : m_qsoLines) text += line;
  text += "END-OF-LOG:\r\n";
  return text;
}

std::string CCabrilloLog::WriteLog(int32_t claimedScore, platform::FileVersion& versions,
                                   platform::FileWriter& files) const {
  const std::string name = m_fileBase + ".cbr";
  const bool written = files.ReplaceWhole(name, LogText(claimedScore, HostVersionText(versions)));
  return (written ? "File produced: " : "File not produced: ") + name;
}

std::string HostVersionText(platform::FileVersion& versions) {
  const char* host = versions.CanOpenForReading("Tovu2.exe") ? "Tovu2.exe" : "Tovu3.exe";
  uint32_t ms = 0, ls = 0;
  if (!versions.ReadFixedVersion(host, &ms, &ls)) return std::string();
  const unsigned major = ms >> 16, minor = ms & 0xFFFFu, build = ls >> 16;
  if (major == 2) return Printf("%u.%u", major, minor);
  return Printf("%u.%u.%u", major, minor, build);
}

}  // namespace cabrillo
