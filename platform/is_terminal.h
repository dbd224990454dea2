#pragma once

namespace platform {

// Whether the program's standard error goes to a terminal (a console on
// Windows) where a line can be redrawn in place, rather than to a file or a
// pipe.
bool StandardErrorIsTerminal();

}  // namespace platform
