#include "tools/replay/working_folder.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>

#include "platform/tools/utf8_files.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

constexpr char kRecordTitle[] =
    "# The files logreplay let the plug-in write in this folder: size, FNV-1a\n"
    "# hash and name. Another file at one of the plug-in's names is not replaced.\n";
constexpr char kPluginsFolder[] = "Plugins";

constexpr uint64_t kFnvPrime = 1099511628211ull;

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File OpenRead(const std::string& path) { return File(platform::OpenFileUtf8(path, "rb"), fclose); }

// Reads the digits in `base` (10 or 16, lower case) at `*at` and the blank
// after them into `value`, moving `*at` past both.
bool ReadNumber(const std::string& line, int base, size_t* at, uint64_t* value) {
  const size_t start = *at;
  *value = 0;
  for (; *at < line.size() && line[*at] != ' '; ++*at) {
    const char c = line[*at];
    const int digit = c >= '0' && c <= '9'                 ? c - '0'
                      : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                           : -1;
    if (digit < 0) return false;
    *value = *value * base + uint64_t(digit);
  }
  if (*at == start || *at == line.size()) return false;
  ++*at;
  return true;
}

}  // namespace

const char kWrittenRecordName[] = "written-by-logreplay.txt";

void FileMark::Add(const void* bytes, size_t count) {
  const unsigned char* at = static_cast<const unsigned char*>(bytes);
  uint64_t h = hash;
  for (size_t i = 0; i < count; ++i) h = (h ^ at[i]) * kFnvPrime;
  hash = h;
  size += count;
}

bool MarkOfFile(const std::string& path, FileMark* mark) {
  std::error_code error;
  if (!fs::is_regular_file(fs::symlink_status(fs::u8path(path), error))) return false;
  File file = OpenRead(path);
  if (file == nullptr) return false;
  *mark = FileMark();
  unsigned char buffer[1 << 16];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) mark->Add(buffer, got);
  return std::ferror(file.get()) == 0;
}

std::string MarkLine(const FileMark& mark, const std::string& name) {
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "%llu %016" PRIx64 " ",
                static_cast<unsigned long long>(mark.size), mark.hash);
  return numbers + name;
}

bool ReadMarkLine(const std::string& line, FileMark* mark, std::string* name) {
  size_t at = 0;
  uint64_t size = 0;
  if (!ReadNumber(line, 10, &at, &size) || !ReadNumber(line, 16, &at, &mark->hash) ||
      at == line.size()) {
    return false;
  }
  mark->size = size;
  *name = line.substr(at);
  return true;
}

std::string DefaultWorkingFolder(const std::string& logPath) {
  return fs::u8path(logPath).filename().stem().u8string() + ".stats";
}

bool WorkingFolder::Open(const std::string& path, std::string* problem) {
  m_written.clear();
  if (path.empty()) {
    *problem = "the path is empty";
    return false;
  }
  std::error_code error;
  const fs::path folder = fs::absolute(fs::u8path(path), error).lexically_normal();
  if (error) {
    *problem = "cannot tell where it is: " + error.message();
    return false;
  }
  m_path = folder.u8string();
  // A trailing separator leaves an empty last part behind.
  while (m_path.size() > 1 && (m_path.back() == '/' || m_path.back() == '\\') &&
         fs::u8path(m_path).has_relative_path()) {
    m_path.pop_back();
  }
  const fs::file_status status = fs::status(folder, error);
  if (status.type() == fs::file_type::not_found) return true;
  if (!fs::is_directory(status)) {
    *problem = "is not a folder";
    return false;
  }
  const std::string recordPath = PathOf(kWrittenRecordName);
  if (!fs::exists(fs::u8path(recordPath), error)) return true;
  std::string text;
  if (File file = OpenRead(recordPath)) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
  } else {
    *problem = std::string("cannot read its ") + kWrittenRecordName;
    return false;
  }
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    FileMark mark;
    std::string name;
    // A line it cannot read marks no file as logreplay's.
    if (ReadMarkLine(line, &mark, &name)) m_written[name] = mark;
  }
  return true;
}

std::string WorkingFolder::PathOf(const std::string& name) const {
  return (fs::u8path(m_path) / fs::u8path(name)).make_preferred().u8string();
}

std::string WorkingFolder::ForeignFile(const std::vector<std::string>& names) const {
  for (const std::string& name : names) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(fs::u8path(PathOf(name)), error);
    if (status.type() == fs::file_type::not_found || fs::is_directory(status)) continue;
    FileMark mark;
    const auto written = m_written.find(name);
    // A link or an unreadable file is never logreplay's: the plug-in
    // would write through the one and over the other.
    if (fs::is_symlink(status) || !MarkOfFile(PathOf(name), &mark) || written == m_written.end() ||
        written->second != mark) {
      return name;
    }
  }
  return std::string();
}

bool WorkingFolder::Create(std::string* problem) const {
  std::error_code error;
  fs::create_directories(fs::u8path(PathOf(kPluginsFolder)), error);
  if (error) {
    *problem = "cannot make it: " + error.message();
    return false;
  }
  return true;
}

bool WorkingFolder::Remember(const std::vector<std::string>& names, std::string* problem) {
  for (const std::string& name : names) {
    FileMark mark;
    if (MarkOfFile(PathOf(name), &mark)) {
      m_written[name] = mark;
    } else {
      m_written.erase(name);
    }
  }
  std::string text = kRecordTitle;
  for (const auto& [name, mark] : m_written) text += MarkLine(mark, name) + "\n";
  if (!platform::Utf8FileWriter().ReplaceWhole(PathOf(kWrittenRecordName), text)) {
    *problem = std::string("cannot write ") + PathOf(kWrittenRecordName);
    return false;
  }
  return true;
}

CurrentFolderChange::CurrentFolderChange(const std::string& path) {
  std::error_code error;
  m_before = fs::current_path(error);
  if (error) return;
  fs::current_path(fs::u8path(path), error);
  m_changed = !error;
}

CurrentFolderChange::~CurrentFolderChange() {
  std::error_code error;
  if (m_changed) fs::current_path(m_before, error);
}

}  // namespace tools
