#pragma once

// The promises of a replay plan that the log fuzz targets check, whatever
// the log's kind: a planned QSO has a band and a frequency, calls and
// codes in upper case and exchanges without blanks, QSOs in time order, a
// warning for each QSO without a multiplier code, and every message the
// user sees is one printable line.

#include <string>

#include "fuzz/expect.h"
#include "tools/adif/adif_reader.h"
#include "tools/adif/adif_values.h"
#include "tools/replay/replay_plan.h"
#include "tools/logreplay/score_command.h"

namespace fuzz_checks {

inline bool Upper(const std::string& text) { return tools::AdifUpper(text) == text; }

inline bool UpperWithoutBlanks(const std::string& text) {
  return Upper(text) && text.find_first_of(" \t\r\n\f\v") == std::string::npos;
}

// One line ending in a line end, with no control byte, and bytes above 127
// only in whole UTF-8 sequences (names in the user's script pass).
inline bool OnePrintableLine(const std::string& text) {
  if (text.empty() || text.back() != '\n') return false;
  for (size_t i = 0; i + 1 < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7f) return false;
    const size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    if (length == 0 || c > 0xF4 || i + length >= text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// Plans `text` under `options` and checks the plan's promises, or that the
// refusal is one printable line. Only a Cabrillo line read by the plug-in's
// own columns may leave a worked call empty.
inline void CheckPlan(const std::string& text, const tools::ReplayOptions& options) {
  tools::ReplayPlan plan;
  std::string problem;
  if (!tools::PlanReplay(text, options, &plan, &problem)) {
    FUZZ_EXPECT(OnePrintableLine(tools::ErrorLine(problem)));
    return;
  }
  FUZZ_EXPECT(!plan.qsos.empty());
  FUZZ_EXPECT(plan.start.status == 0);
  FUZZ_EXPECT(Upper(plan.ownCall) && Upper(plan.ownMultCode) && Upper(plan.ownGroupCode));
  size_t withoutCode = 0;
  for (size_t i = 0; i < plan.qsos.size(); ++i) {
    const tools::AdifQso& qso = plan.qsos[i];
    FUZZ_EXPECT(!qso.band.empty() && qso.freqHz != 0);
    FUZZ_EXPECT(!qso.call.empty() || plan.logKind == tools::LogKind::kCabrillo);
    FUZZ_EXPECT(tools::HostMode(qso.mode) == qso.mode);
    FUZZ_EXPECT(Upper(qso.call) && Upper(qso.multCode) && Upper(qso.group));
    FUZZ_EXPECT(UpperWithoutBlanks(qso.exchSent) && UpperWithoutBlanks(qso.exchRcvd));
    FUZZ_EXPECT(i == 0 || plan.qsos[i - 1].time <= qso.time);
    if (qso.multCode.empty() && !qso.exchRcvd.empty()) ++withoutCode;
  }
  size_t codeWarnings = 0;
  for (const std::string& warning : plan.warnings) {
    FUZZ_EXPECT(OnePrintableLine(tools::ErrorLine(warning)));
    if (warning.find("): no multiplier code, ") != std::string::npos) ++codeWarnings;
  }
  FUZZ_EXPECT(codeWarnings == withoutCode);
  const std::string block = tools::FormatSettings(plan.settings);
  size_t lines = 0;
  for (char c : block) lines += c == '\n' ? 1 : 0;
  FUZZ_EXPECT(lines == plan.settings.size() + 2);
}

}  // namespace fuzz_checks
