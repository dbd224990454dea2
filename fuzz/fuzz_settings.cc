// The settings-file reader and writer on arbitrary file contents: reads the
// keys the plug-in uses, writes one key chosen by the fuzzer and checks that
// it reads back, that no other key changed, and that a refused write left
// the file as it was.
//
// Input: section, key and value as length-prefixed texts (1 length byte
// each, then the bytes), then the file's content to the end.

#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/expect.h"
#include "fuzz/fuzz_work_dir.h"
#include "platform/plugin/settings_file.h"

namespace {

const char kPath[] = "Plugins\\TAVIN.ini";
const char kLocalPath[] = "Plugins/TAVIN.ini";
const char kFallback[] = "<absent>";
const char* const kKeys[] = {"Operators", "Name",    "Address",  "Claimed", "Email",
                             "Club",      "SoapBox", "Category", "Contest"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Unquote(const std::string& text) {
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

bool SameNameNoCase(std::string a, std::string b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string ReadBytes(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::EnterPrivateWorkDir("fuzz_settings");
  mkdir("Plugins", 0777);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  auto text = [&in] { return in.ConsumeBytesAsString(in.ConsumeIntegral<uint8_t>()); };
  const std::string section = text();
  const std::string key = text();
  const std::string value = text();
  const std::string content = in.ConsumeRemainingBytesAsString();
  {
    std::ofstream out(kLocalPath, std::ios::binary | std::ios::trunc);
    out << content;
  }

  platform::SettingsFile& settings = platform::SystemSettingsFile();
  std::vector<std::string> before;
  for (const char* name : kKeys) {
    before.push_back(settings.Read(kPath, "Settings", name, kFallback));
    FUZZ_EXPECT(before.back().find_first_of("\r\n") == std::string::npos);
  }
  const std::string old = settings.Read(kPath, section, key, kFallback);
  FUZZ_EXPECT(old.find_first_of("\r\n") == std::string::npos);

  const bool written = settings.Write(kPath, section, key, value);
  if (!written) {
    FUZZ_EXPECT(ReadBytes(kLocalPath) == content);
    return 0;
  }
  FUZZ_EXPECT(value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
  FUZZ_EXPECT(settings.Read(kPath, section, key, kFallback) == Unquote(Trim(value)));
  for (size_t i = 0; i < before.size(); ++i) {
    if (SameNameNoCase(section, "Settings") && SameNameNoCase(key, kKeys[i])) continue;
    FUZZ_EXPECT(settings.Read(kPath, "Settings", kKeys[i], kFallback) == before[i]);
  }

  // A second write of the value read back changes no byte.
  const std::string once = ReadBytes(kLocalPath);
  FUZZ_EXPECT(settings.Write(kPath, section, key, Trim(value)));
  FUZZ_EXPECT(ReadBytes(kLocalPath) == once);
  return 0;
}
