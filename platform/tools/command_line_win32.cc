#include <windows.h>
#include <shellapi.h>

#include <io.h>

#include "platform/tools/command_line.h"
#include "platform/calls/wide_text_win32.h"

namespace platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i], wcslen(wide[i])));
  LocalFree(wide);
  return arguments;
}

void WriteText(std::FILE* stream, const std::string& text) {
  std::fflush(stream);
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0) {
    const std::wstring wide = WideFromUtf8(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace platform
