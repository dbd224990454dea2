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
#include "fuzz/plan_checks.h"
#include "tools/adif/adif_reader.h"

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
  for (const tools::ReplayOptions& option : options) fuzz_checks::CheckPlan(text, option);
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
