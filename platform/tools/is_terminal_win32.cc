#include <windows.h>

#include "platform/tools/is_terminal.h"

namespace platform {

// _isatty also says yes for the NUL device; only a console has a mode.
bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool DialogCanReachOperator() { return true; }

}  // namespace platform
