#include "tools/logreplay/adif_dump.h"

#include <cstdio>

#include "tools/replay/replay_plan.h"
#include "tools/logreplay/score_command.h"

namespace tools {
namespace {

void AppendJsonString(const std::string& text, std::string* out) {
  *out += '"';
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        *out += "\\\"";
        break;
      case '\\':
        *out += "\\\\";
        break;
      case '\b':
        *out += "\\b";
        break;
      case '\f':
        *out += "\\f";
        break;
      case '\n':
        *out += "\\n";
        break;
      case '\r':
        *out += "\\r";
        break;
      case '\t':
        *out += "\\t";
        break;
      default:
        if (byte < 0x20 || byte >= 0x7f) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          *out += escaped;
        } else {
          *out += c;
        }
    }
  }
  *out += '"';
}

}  // namespace

std::string DumpRecordsAsJsonLines(const std::vector<AdifRecord>& records) {
  std::string out;
  for (const AdifRecord& record : records) {
    out += '{';
    bool first = true;
    for (const auto& field : record.fields) {
      if (!first) out += ',';
      first = false;
      AppendJsonString(field.first, &out);
      out += ':';
      AppendJsonString(field.second, &out);
    }
    out += "}\n";
  }
  return out;
}

int RunDump(const std::string& path, std::string* out, std::string* err) {
  std::string text;
  std::vector<AdifRecord> records;
  AdifError error;
  std::string problem;
  if (!ReadLogFile(path, &text, &problem)) {
    *err = ErrorLine(path + ": " + problem);
    return kExitBadInput;
  }
  if (!ReadAdif(text, &records, &error)) {
    *err = ErrorLine(path + ": " + error.ToString());
    return kExitBadInput;
  }
  *out = DumpRecordsAsJsonLines(records);
  return kExitOk;
}

}  // namespace tools
