// The host stand-in's ADIF reader on arbitrary bytes. Beyond not crashing:
// records are numbered 1..n and never empty, field names are well formed and
// upper case, a failure says why, and what was read writes back as ADIF
// that reads again to the same records.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/expect.h"
#include "tools/adif_reader.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
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
