#include <unistd.h>

#include "platform/tools/is_terminal.h"

namespace platform {

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool DialogCanReachOperator() { return isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1; }

}  // namespace platform
