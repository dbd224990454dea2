// Runs a program and plays its operator: presses OK in every dialog box the
// program shows (the Cabrillo header dialog, the notice that names the
// Cabrillo log), so that a test can run logreplay.exe --report under Wine.
// Exits with the program's status, or 125 when it cannot start it.
//   dialog_operator.exe PROGRAM [ARGUMENT...]
// The arguments are read from the wide command line: they may name files
// outside the ANSI code page.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr int kCannotStart = 125;
constexpr DWORD kPollMilliseconds = 100;

DWORD g_program = 0;  // process id of the program run

BOOL CALLBACK PressOk(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t windowClass[16] = L"";
  GetClassNameW(window, windowClass, 16);
  // Posted again at the next poll while the box is still open; a box
  // that has closed drops it.
  if (process == g_program && IsWindowVisible(window) && lstrcmpW(windowClass, L"#32770") == 0) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  return TRUE;
}

HANDLE Inherited(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  return handle;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (argv == nullptr || count < 2) return kCannotStart;
  std::wstring line;
  for (int i = 1; i < count; ++i) line += std::wstring(i > 1 ? L" \"" : L"\"") + argv[i] + L"\"";
  LocalFree(argv);

  STARTUPINFOW start = {};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = Inherited(STD_INPUT_HANDLE);
  start.hStdOutput = Inherited(STD_OUTPUT_HANDLE);
  start.hStdError = Inherited(STD_ERROR_HANDLE);
  PROCESS_INFORMATION program = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                      &program)) {
    return kCannotStart;
  }
  g_program = program.dwProcessId;
  while (WaitForSingleObject(program.hProcess, kPollMilliseconds) == WAIT_TIMEOUT) {
    EnumWindows(PressOk, 0);
  }
  DWORD status = kCannotStart;
  GetExitCodeProcess(program.hProcess, &status);
  CloseHandle(program.hThread);
  CloseHandle(program.hProcess);
  return static_cast<int>(status);
}
