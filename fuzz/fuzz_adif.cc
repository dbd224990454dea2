// The host stand-in's log handling on arbitrary bytes: the ADIF reader, then
// the whole mapping from records to the host's arguments. Beyond not
// crashing: records are numbered 1..n and never empty, field names are well
// formed and upper case, what was read writes back as ADIF that reads again
// to the same records; a mapped QSO always has a call, a band and a
// frequency, calls and codes in upper case and exchanges without blanks,
// QSOs in time order, a warning for each QSO without a multiplier code, and
// every message the user sees is one printable line.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/expect.h"
#include "tools/adif/adif_reader.h"
#include "tools/adif/adif_values.h"
#include "tools/logreplay/replay_plan.h"
#include "tools/logreplay/score_command.h"

namespace {

bool WellFormedName(const std::string& name) {
  if (name.empty() || name != tools::AdifUpper(name)) return false;
  for (unsigned char c : name) {
    if (c <= ' ' || c >= 0x7f || c == ',' || c == ':' || c == '<' || c == '>' || c == '{' ||
        c == '}') {
      return false;
    }
  }
  return true;
}

bool Upper(const std::string& text) { return tools::AdifUpper(text) == text; }

bool UpperWithoutBlanks(const std::string& text) {
  return Upper(text) && text.find_first_of(" \t\r\n\f\v") == std::string::npos;
}

// One line ending in a line end, with no control byte, and bytes above 127
// only in whole UTF-8 sequences (names in the user's script pass).
bool OnePrintableLine(const std::string& text) {
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

void CheckRecords(const std::vector<tools::AdifRecord>& records) {
  for (size_t i = 0; i < records.size(); ++i) {
    FUZZ_EXPECT(records[i].number == i + 1);
    FUZZ_EXPECT(!records[i].fields.empty());
    for (const auto& field : records[i].fields) {
      FUZZ_EXPECT(WellFormedName(field.first));
      FUZZ_EXPECT(records[i].Has(field.first) && records[i].Get(field.first) == field.second);
    }
  }
}

std::string WriteBack(const std::vector<tools::AdifRecord>& records) {
  std::string text = "<EOH>\n";
  for (const tools::AdifRecord& record : records) {
    for (const auto& field : record.fields) {
      text += "<" + field.first + ":" + std::to_string(field.second.size()) + ">" + field.second;
    }
    text += "<eor>\n";
  }
  return text;
}

// The mapping under the option sets that change its course.
void CheckMapping(const std::string& text) {
  tools::ReplayOptions options[4];
  options[1].skipBad = true;
  options[2].fields = tools::AdifQsoFields{"app_ut_mult", "APP_UT_GROUP"};
  options[2].ownGroupCode = "G3";
  options[3].skipBad = true;
  options[3].ownCall = "UT9ZZQ";
  options[3].ownMultCode = "KI";
  options[3].start = StatsDateTime{46375.5, 0};
  for (const tools::ReplayOptions& option : options) {
    tools::ReplayPlan plan;
    std::string problem;
    if (!tools::PlanReplay(text, option, &plan, &problem)) {
      FUZZ_EXPECT(OnePrintableLine(tools::ErrorLine(problem)));
      continue;
    }
    FUZZ_EXPECT(!plan.qsos.empty());
    FUZZ_EXPECT(plan.start.status == 0);
    FUZZ_EXPECT(Upper(plan.ownCall) && Upper(plan.ownMultCode) && Upper(plan.ownGroupCode));
    size_t withoutCode = 0;
    for (size_t i = 0; i < plan.qsos.size(); ++i) {
      const tools::AdifQso& qso = plan.qsos[i];
      FUZZ_EXPECT(!qso.call.empty() && !qso.band.empty() && qso.freqHz != 0);
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckMapping(text);
  std::vector<tools::AdifRecord> records;
  tools::AdifError error;
  const bool ok = tools::ReadAdif(text, &records, &error);
  CheckRecords(records);
  if (!ok) {
    FUZZ_EXPECT(!error.message.empty());
    FUZZ_EXPECT(error.record <= records.size() + 1);
    FUZZ_EXPECT(!error.ToString().empty());
    return 0;
  }

  std::vector<tools::AdifRecord> again;
  FUZZ_EXPECT(tools::ReadAdif(WriteBack(records), &again, &error));
  FUZZ_EXPECT(again.size() == records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    FUZZ_EXPECT(again[i].number == records[i].number && again[i].fields == records[i].fields);
  }
  return 0;
}
