#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "platform/plugin/file_writer.h"
#include "platform/calls/posix_calls.h"
#include "platform/plugin/settings_file.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

constexpr char kLineEnd[] = "\r\n";

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// A line of the file: text in [begin, end), its line end in [end, next).
struct Line {
  size_t begin;
  size_t end;
  size_t next;
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string::npos) {
      lines.push_back({begin, text.size(), text.size()});
      break;
    }
    size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
}

enum class LineKind { kOther, kSection, kKey };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section or key name, blanks dropped
  std::string_view value;  // key lines: the value, blanks dropped
};

// Blank lines, comments and lines without '=' are kOther. A '[' line with no
// ']' is not a section header; it is read like any other line.
ParsedLine ParseLine(std::string_view line) {
  ParsedLine parsed;
  line = TrimBlanks(line);
  if (line.empty() || line.front() == ';') return parsed;
  if (line.front() == '[') {
    size_t close = line.find(']');
    if (close != std::string_view::npos) {
      parsed.kind = LineKind::kSection;
      parsed.name = TrimBlanks(line.substr(1, close - 1));
      return parsed;
    }
  }
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return parsed;
  parsed.kind = LineKind::kKey;
  parsed.name = TrimBlanks(line.substr(0, equals));
  parsed.value = TrimBlanks(line.substr(equals + 1));
  return parsed;
}

constexpr size_t kNone = static_cast<size_t>(-1);

// Indexes into the lines of a file. Only the first header of `section` counts,
// and only the first line of `key` in it.
struct Location {
  size_t section = kNone;  // header line
  size_t key = kNone;      // line of the key
  size_t lastKey = kNone;  // last key line of the section, else the header
  ParsedLine keyLine;
};

Location Find(const std::string& text, const std::vector<Line>& lines, std::string_view section,
              std::string_view key) {
  Location at;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view raw(text.data() + lines[i].begin, lines[i].end - lines[i].begin);
    ParsedLine parsed = ParseLine(raw);
    if (parsed.kind == LineKind::kSection) {
      if (at.section != kNone) break;
      if (EqualsNoCase(parsed.name, section)) at.section = at.lastKey = i;
    } else if (parsed.kind == LineKind::kKey && at.section != kNone) {
      at.lastKey = i;
      if (at.key == kNone && EqualsNoCase(parsed.name, key)) {
        at.key = i;
        at.keyLine = parsed;
      }
    }
  }
  return at;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// `text` with `key` of `section` set to `value`. An existing key line is
// rewritten in place with the key's spelling from the file; a new key goes
// right after the last key line of the section (after the header when there
// is none), so blank and comment lines that close a section stay in front of
// the next header; a new section goes at the end. All other bytes are kept.
std::string WithValue(const std::string& text, std::string_view section, std::string_view key,
                      std::string_view value) {
  const std::vector<Line> lines = SplitLines(text);
  const Location at = Find(text, lines, section, key);
  std::string content;
  if (at.key != kNone) {
    const Line& line = lines[at.key];
    content = text.substr(0, line.begin);
    content.append(at.keyLine.name).append("=").append(value);
    content.append(kLineEnd).append(text, line.next, std::string::npos);
  } else if (at.section != kNone) {
    const Line& line = lines[at.lastKey];
    content = text.substr(0, line.next);
    if (line.next == line.end) content.append(kLineEnd);
    content.append(key).append("=").append(value).append(kLineEnd);
    content.append(text, line.next, std::string::npos);
  } else {
    content = text;
    if (!content.empty() && content.back() != '\n' && content.back() != '\r') {
      content.append(kLineEnd);
    }
    content.append("[").append(section).append("]").append(kLineEnd);
    content.append(key).append("=").append(value).append(kLineEnd);
  }
  return content;
}

std::string LocalPath(const std::string& path) {
  std::string local = path;
  for (char& c : local) {
    if (c == '\\') c = '/';
  }
  return local;
}

enum class ReadResult { kOk, kMissing, kFailed };

// O_NONBLOCK keeps a FIFO at `path` from blocking the open.
ReadResult ReadWholeFile(const std::string& path, std::string* text, struct stat* info) {
  const PosixCalls& sys = SystemCalls();
  const int fd =
      Restarting([&] { return sys.open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0); });
  if (fd < 0) {
    return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::kMissing : ReadResult::kFailed;
  }
  ReadResult result = ReadResult::kOk;
  if (sys.fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
    result = ReadResult::kFailed;
  }
  char buffer[8192];
  while (result == ReadResult::kOk) {
    const ssize_t n = Restarting([&] { return sys.read(fd, buffer, sizeof buffer); });
    if (n > 0) {
      text->append(buffer, static_cast<size_t>(n));
    } else if (n == 0) {
      break;
    } else {
      result = ReadResult::kFailed;
    }
  }
  // Nothing read is lost when close() fails, but refusing the update then
  // keeps the rule plain: any failed call before the rename fails a write.
  if (sys.close(fd) != 0 && result == ReadResult::kOk) result = ReadResult::kFailed;
  return result;
}

class PosixSettingsFile : public SettingsFile {
 public:
  std::string Read(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& fallback) override {
    std::string text;
    struct stat info;
    if (ReadWholeFile(LocalPath(path), &text, &info) == ReadResult::kOk) {
      std::vector<Line> lines = SplitLines(text);
      Location at = Find(text, lines, TrimBlanks(section), TrimBlanks(key));
      if (at.key != kNone) return std::string(Unquote(at.keyLine.value));
    }
    // Windows hands back the default less its trailing spaces (not tabs).
    size_t end = fallback.find_last_not_of(' ');
    return fallback.substr(0, end == std::string::npos ? 0 : end + 1);
  }

  bool Write(const std::string& path, const std::string& section, const std::string& key,
             const std::string& value) override {
    // Windows strips only spaces from the names it is given, so a name ending
    // in a tab is written but never found again; all blanks go here.
    std::string_view sectionName = TrimBlanks(section);
    std::string_view keyName = TrimBlanks(key);
    if (!ValidSettingsNames(sectionName, keyName, value)) return false;

    const std::string local = LocalPath(path);
    std::string text;
    struct stat info;
    ReadResult read = ReadWholeFile(local, &text, &info);
    if (read == ReadResult::kFailed) return false;
    const bool exists = read == ReadResult::kOk;
    // Replacing the file by rename() would succeed where Windows cannot open
    // a read-only file for writing; refuse as Windows does, also for root.
    if (exists &&
        ((info.st_mode & S_IWUSR) == 0 || SystemCalls().access(local.c_str(), W_OK) != 0)) {
      return false;
    }

    // Reading drops the blanks around a value anyway; writing it without
    // them keeps the file byte for byte what the Windows build writes.
    const std::string content = WithValue(text, sectionName, keyName, TrimBlanks(value));
    // The file already says this: rewriting it would only cost two flushes
    // to disk (the results request writes its score every time).
    if (exists && content == text) return true;
    return SystemFileWriter().ReplaceWhole(local, content);
  }
};

}  // namespace

SettingsFile& SystemSettingsFile() { return SystemInstance<PosixSettingsFile>(); }

}  // namespace platform
