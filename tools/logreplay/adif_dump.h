#pragma once

#include <string>
#include <vector>

#include "tools/adif/adif_reader.h"

namespace tools {

// The records as JSON lines, one object per record with every field under
// its upper-case name, names in byte order:
//   {"BAND":"20M","CALL":"EN6JL"}
// Data bytes are read as Latin-1: '"', '\' and control characters are
// escaped as JSON.stringify escapes them, and bytes from 0x7F up as \u00XX,
// so any reader of the same file can print the same lines.
std::string DumpRecordsAsJsonLines(const std::vector<AdifRecord>& records);

// `logreplay dump LOG`: the records of the log at `path` as JSON lines in
// `out`, status 0; or a one-line message in `err`, status 2.
int RunDump(const std::string& path, std::string* out, std::string* err);

}  // namespace tools
