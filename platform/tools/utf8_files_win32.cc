#include "platform/tools/utf8_files.h"

#include "platform/plugin/file_writer_win32.h"
#include "platform/calls/system_instance.h"
#include "platform/calls/wide_text_win32.h"
#include "platform/calls/win32_calls.h"

namespace platform {
namespace {

HANDLE CreateFileUtf8(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                      DWORD flags) {
  return SystemCalls().createFileW(WideFromUtf8(path).c_str(), access, share, disposition, flags);
}

BOOL ReplaceFileUtf8(const std::string& from, const std::string& to) {
  return SystemCalls().moveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

BOOL DeleteFileUtf8(const std::string& path) {
  return SystemCalls().deleteFileW(WideFromUtf8(path).c_str());
}

class Utf8Win32FileWriter : public Win32FileWriter {
 public:
  Utf8Win32FileWriter() : Win32FileWriter({CreateFileUtf8, ReplaceFileUtf8, DeleteFileUtf8}) {}
};

}  // namespace

std::FILE* OpenFileUtf8(const std::string& path, const char* mode) {
  return _wfopen(WideFromUtf8(path).c_str(), WideFromUtf8(mode).c_str());
}

FileWriter& Utf8FileWriter() { return SystemInstance<Utf8Win32FileWriter>(); }

}  // namespace platform
