#pragma once

namespace platform {

// Whether the program's standard error goes to a terminal (a console on
// Windows) where a line can be redrawn in place, rather than to a file or a
// pipe.
bool StandardErrorIsTerminal();

// Whether a modal dialog the program opens can reach an operator: on
// Windows always (a window); elsewhere only while standard input and
// output are a terminal, where the dialog is a form.
bool DialogCanReachOperator();

}  // namespace platform
