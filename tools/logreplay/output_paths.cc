#include "tools/logreplay/output_paths.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/tools/folder_probe.h"
#include "platform/tools/utf8_files.h"
#include "tools/report/report_page.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

// Pages written before the mark was added end with this credit.
constexpr char kReportCredit[] = "drawn by logreplay from the plug-in's results";

// Paths travel through logreplay as UTF-8, on Windows too.
fs::path PathOf(const std::string& utf8) { return fs::u8path(utf8); }

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Whether `a` and `b` name one file: the same file when both exist (hard
// links and symbolic links included), else the same absolute path, letters
// compared in any case as a Windows file system does.
bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
  const fs::path fullA = fs::weakly_canonical(fs::absolute(a, error), error);
  const fs::path fullB = fs::weakly_canonical(fs::absolute(b, error), error);
  return AsciiLower(fullA.lexically_normal().u8string()) ==
         AsciiLower(fullB.lexically_normal().u8string());
}

const char* KindProblem(fs::file_type type) {
  switch (type) {
    case fs::file_type::regular:
    case fs::file_type::not_found:
      return nullptr;
    case fs::file_type::directory:
      return "is a folder";
    case fs::file_type::character:
    case fs::file_type::block:
      return "is a device";
    case fs::file_type::fifo:
      return "is a pipe";
    case fs::file_type::socket:
      return "is a socket";
    default:
      return "is not a regular file";
  }
}

}  // namespace

std::string OutputPathProblem(const std::string& path, const std::vector<GuardedFile>& guarded) {
  if (path.empty()) return "the path is empty";
  std::error_code error;
  const fs::path name = PathOf(path);
  const fs::file_status link = fs::symlink_status(name, error);
  const fs::file_status target = fs::status(name, error);
  if (fs::is_symlink(link) && target.type() == fs::file_type::not_found) {
    return "is a symbolic link to a file that does not exist";
  }
  if (const char* problem = KindProblem(target.type())) return problem;
  // What the system's own rules add: a reserved device name on Windows.
  if (!platform::Utf8FileWriter().Replaces(path)) return "is a device, not a file";
  for (const GuardedFile& file : guarded) {
    if (SameFile(name, PathOf(file.path))) return "is " + file.what + " (" + file.path + ")";
  }
  const fs::path folder = fs::absolute(name, error).parent_path();
  if (!fs::is_directory(folder, error)) {
    return "its folder " + name.parent_path().u8string() + " does not exist";
  }
  if (!platform::CanCreateFileIn(folder.u8string())) {
    return "its folder " + folder.u8string() + " takes no new files";
  }
  return std::string();
}

bool SameFilePath(const std::string& a, const std::string& b) {
  return SameFile(PathOf(a), PathOf(b));
}

std::string OutputTarget(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(PathOf(path), error))) return path;
  const fs::path target = fs::canonical(PathOf(path), error);
  return error ? path : target.u8string();
}

FileState FileState::Of(const std::string& path) {
  FileState state;
  std::error_code error;
  const fs::path name = PathOf(path);
  if (!fs::is_regular_file(name, error)) return state;
  state.exists = true;
  state.writeTime = fs::last_write_time(name, error).time_since_epoch().count();
  state.size = fs::file_size(name, error);
  return state;
}

bool IsReportPage(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::OpenFileUtf8(path, "rb"),
                                                             std::fclose);
  if (file == nullptr) return false;
  // The mark stands in the page's head, the credit in its last lines.
  char head[1024];
  char tail[1024];
  const size_t headSize = std::fread(head, 1, sizeof head, file.get());
  size_t tailSize = 0;
  if (std::fseek(file.get(), -static_cast<long>(sizeof tail), SEEK_END) == 0 ||
      std::fseek(file.get(), 0, SEEK_SET) == 0) {
    tailSize = std::fread(tail, 1, sizeof tail, file.get());
  }
  const std::string start(head, headSize);
  return start.compare(0, 15, "<!DOCTYPE html>") == 0 &&
         (start.find(kReportMarkLine) != std::string::npos ||
          std::string(tail, tailSize).find(kReportCredit) != std::string::npos);
}

}  // namespace tools
