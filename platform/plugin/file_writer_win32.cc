#include "platform/plugin/file_writer_win32.h"

#include <atomic>
#include <cctype>
#include <cstdint>

#include "platform/calls/system_instance.h"
#include "platform/plugin/temp_file_name.h"
#include "platform/calls/win32_calls.h"

namespace platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Whether `path` is in the device namespace: \\.\ (NUL, COM1, pipes,
// disks), or \\?\ followed by anything but a drive or UNC\ (\\?\pipe\...,
// \\?\GLOBALROOT\...).
bool InDeviceNamespace(const std::string& path) {
  if (path.size() < 4 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || !IsSeparator(path[3])) {
    return false;
  }
  if (path[2] == '.') return true;
  if (path[2] != '?') return false;
  const std::string rest = path.substr(4);
  const char letter = static_cast<char>(rest.empty() ? 0 : rest[0] | 0x20);
  const bool drive = rest.size() >= 2 && letter >= 'a' && letter <= 'z' && rest[1] == ':';
  const bool unc = rest.size() >= 4 &&
                   (rest.compare(0, 3, "UNC") == 0 || rest.compare(0, 3, "unc") == 0) &&
                   IsSeparator(rest[3]);
  return !drive && !unc;
}

// Whether the last part of `path` is a name Windows gives to a device in
// every folder: CON, PRN, AUX, NUL, COM1-9, LPT1-9, in any case, with any
// extension and trailing blanks or a colon (NUL.html is the null device
// before Windows 11).
bool NamesReservedDevice(const std::string& path) {
  const size_t separator = path.find_last_of("\\/:");
  std::string stem = path.substr(separator == std::string::npos ? 0 : separator + 1);
  stem = stem.substr(0, stem.find('.'));
  while (!stem.empty() && (stem.back() == ' ' || stem.back() == ':')) stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// What a path the writer would replace names: a regular file (judged by
// the target of a link) with its attributes, nothing yet, or anything else.
struct Target {
  bool replaceable = false;
  DWORD attributes = 0;
};

// Every call that fails counts, the close of the look-up too: the rule stays
// plain, any failed call before the rename fails the write.
Target Inspect(const Win32PathCalls& calls, const std::string& path) {
  Target target;
  if (InDeviceNamespace(path) || NamesReservedDevice(path)) return target;
  // No access asked: this reads the attributes only and opens folders too
  // (backup semantics); links are followed.
  HANDLE file = calls.createFile(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    target.replaceable = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return target;
  }
  const Win32Calls& sys = SystemCalls();
  BY_HANDLE_FILE_INFORMATION info;
  target.replaceable = sys.getFileType(file) == FILE_TYPE_DISK &&
                       sys.getFileInformationByHandle(file, &info) != FALSE &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  if (target.replaceable) target.attributes = info.dwFileAttributes;
  target.replaceable = sys.closeHandle(file) != FALSE && target.replaceable;
  return target;
}

// Creates a new file beside `path`, named so that no one else picks the
// same name (a file left by a crash included), and opens it for writing.
// The name is not made from the target's: a long name would overrun the
// limit of a name, and COM1.tmp... is the device COM1 before Windows 11.
HANDLE CreateTempFile(const Win32PathCalls& calls, const std::string& path, DWORD attributes,
                      std::string* temp) {
  static std::atomic<std::uint32_t> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temp = TempFileNameBeside(path, "\\/:", GetCurrentProcessId(), counter++);
    const HANDLE file = calls.createFile(*temp, GENERIC_WRITE, 0, CREATE_NEW, attributes);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

HANDLE CreateFileAnsi(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                      DWORD flags) {
  return SystemCalls().createFileA(path.c_str(), access, share, disposition, flags);
}

BOOL ReplaceFileAnsi(const std::string& from, const std::string& to) {
  return SystemCalls().moveFileExA(from.c_str(), to.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

BOOL DeleteFileAnsi(const std::string& path) { return SystemCalls().deleteFileA(path.c_str()); }

// The plug-in's writer: names in the host's ANSI code page.
class AnsiFileWriter : public Win32FileWriter {
 public:
  AnsiFileWriter() : Win32FileWriter({CreateFileAnsi, ReplaceFileAnsi, DeleteFileAnsi}) {}
};

}  // namespace

bool Win32FileWriter::ReplaceWhole(const std::string& path, const std::string& bytes) {
  const Target target = Inspect(m_calls, path);
  if (!target.replaceable) return false;
  // Windows refuses to rename over a read-only file; Wine renames over it
  // all the same. Refused here, the operator's protection stands on both.
  if ((target.attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
  // The new file is archived, as any file written is; hidden and system
  // are the old file's.
  const DWORD kept = target.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  std::string temp;
  const HANDLE file =
      CreateTempFile(m_calls, path, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, &temp);
  if (file == INVALID_HANDLE_VALUE) return false;
  const Win32Calls& sys = SystemCalls();
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk =
        static_cast<DWORD>(bytes.size() - done > 1u << 20 ? 1u << 20 : bytes.size() - done);
    // A write that takes nothing would never finish the loop.
    ok = sys.writeFile(file, bytes.data() + done, chunk, &written) != FALSE && written > 0;
    done += written;
  }
  ok = ok && sys.flushFileBuffers(file) != FALSE;
  ok = sys.closeHandle(file) != FALSE && ok;
  // MoveFileEx replaces an existing file in one step, unlike the C
  // runtime's rename, which refuses when the target exists.
  ok = ok && m_calls.replaceFile(temp, path) != FALSE;
  if (!ok) m_calls.deleteFile(temp);
  return ok;
}

bool Win32FileWriter::Replaces(const std::string& path) {
  return Inspect(m_calls, path).replaceable;
}

FileWriter& SystemFileWriter() { return SystemInstance<AnsiFileWriter>(); }

}  // namespace platform
