#include "tools/logcheck/out_folder.h"

#include <algorithm>
#include <cstdio>

#include "platform/tools/utf8_files.h"
#include "tools/replay/replay_plan.h"
#include "tools/plugin_outputs/plugin_outputs.h"

namespace tools {

const char kLogcheckMarkerName[] = "written-by-logcheck.txt";

namespace {

namespace fs = std::filesystem;

constexpr char kMarkerTitle[] =
    "# files logcheck wrote in this folder: size, FNV-1a hash and name; it replaces only these,"
    " unchanged";
// The plug-in's own files in logcheck's folder, which it writes as it scores.
const std::string kPluginFiles[] = {std::string(kOutPluginFolder) + "/" + kPluginErrorFile,
                                    std::string(kOutPluginFolder) + "/Plugins/TAVIN.ini"};

// The first symbolic link in `folder` or below it, relative to `folder`;
// empty when there is none. Links are not followed.
std::string FirstLink(const fs::path& folder) {
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kind;
    if (it->is_symlink(kind)) return it->path().lexically_relative(folder).generic_u8string();
  }
  return std::string();
}

// Why the listed file `name` may not be replaced; empty when it may. A name
// without a mark, from an older marker, may be replaced when it was last
// written no later than the marker, which logcheck writes after its files.
std::string ChangedProblem(const fs::path& folder, const std::string& name, const FileMark* mark,
                           fs::file_time_type markerTime) {
  std::error_code error;
  const fs::path path = folder / fs::u8path(name);
  const fs::file_status status = fs::symlink_status(path, error);
  if (status.type() == fs::file_type::not_found) return std::string();
  if (!fs::is_regular_file(status)) return name + ": is no longer a file logcheck wrote";
  FileMark now;
  const bool changed = mark != nullptr ? !MarkOfFile(path.u8string(), &now) || now != *mark
                                       : fs::last_write_time(path, error) > markerTime || error;
  return changed ? name + ": changed since logcheck wrote it" : std::string();
}

}  // namespace

bool IsPlainRelativeName(const std::string& name) {
  size_t start = 0;
  for (;;) {
    const size_t end = std::min(name.find('/', start), name.size());
    const std::string part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == ".." ||
        part.find_first_of("\\:") != std::string::npos) {
      return false;
    }
    if (end == name.size()) return true;
    start = end + 1;
  }
}

bool OwnedFolder(const fs::path& folder, std::vector<std::string>* listed, std::string* problem) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(folder, error))) return true;
  if (!fs::is_directory(folder, error)) {
    *problem = "is not a folder";
    return false;
  }
  const std::string link = FirstLink(folder);
  if (!link.empty()) {
    *problem = link + ": is a symbolic link, which logcheck does not write through; remove it " +
               "or give another folder";
    return false;
  }
  const fs::path marker = folder / kLogcheckMarkerName;
  if (!fs::exists(marker, error)) {
    if (!fs::is_empty(folder, error)) {
      *problem = "holds files logcheck did not write (no " + std::string(kLogcheckMarkerName) +
                 "); give an empty or new folder";
      return false;
    }
    return true;
  }
  std::string text;
  if (!ReadLogFile(marker.u8string(), &text, problem)) return false;
  const fs::file_time_type markerTime = fs::last_write_time(marker, error);
  std::vector<std::string> names;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    FileMark mark;
    std::string name;
    const bool marked = ReadMarkLine(line, &mark, &name);
    if (!marked) name = line;
    // Only names inside the folder: a marker edited by hand must not
    // reach a file elsewhere.
    if (!IsPlainRelativeName(name)) continue;
    const std::string changed = ChangedProblem(folder, name, marked ? &mark : nullptr, markerTime);
    if (!changed.empty()) {
      *problem = changed + "; move it away or give another folder";
      return false;
    }
    names.push_back(name);
  }
  *listed = std::move(names);
  return true;
}

std::FILE* OutFolder::Open(const std::string& name) const {
  return platform::OpenFileUtf8((m_root / fs::u8path(name)).u8string(), "wb");
}

bool OutFolder::Put(std::FILE* file, const std::string& bytes, FileMark* mark) {
  mark->Add(bytes.data(), bytes.size());
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool OutFolder::WriteMarker() const {
  std::string text = std::string(kMarkerTitle) + "\n";
  for (const auto& [name, written] : m_marks) {
    if (written.whole) text += MarkLine(written.mark, name) + "\n";
  }
  for (const std::string& name : kPluginFiles) {
    FileMark mark;
    if (MarkOfFile((m_root / fs::u8path(name)).u8string(), &mark)) {
      text += MarkLine(mark, name) + "\n";
    }
  }
  return platform::Utf8FileWriter().ReplaceWhole((m_root / kLogcheckMarkerName).u8string(), text);
}

}  // namespace tools
