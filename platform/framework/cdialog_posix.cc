#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "platform/framework/cdialog.h"
#include "platform/framework/terminal_form.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

// Without a window system a dialog is a form on the controlling terminal;
// with no operator at a terminal it cannot be shown.
class TerminalDialogRunner : public DialogRunner {
 public:
  Result RunModal(CDialog& dialog) override {
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) return kCannotShow;
    // End of input cancels a form but must not cancel the next one: the
    // operator may type again after Ctrl-D, and stdio keeps its EOF flag.
    std::clearerr(stdin);
    std::cin.clear();
    return RunTerminalForm(dialog, std::cin, std::cout);
  }
};

}  // namespace

DialogRunner& SystemDialogRunner() { return SystemInstance<TerminalDialogRunner>(); }

}  // namespace platform
