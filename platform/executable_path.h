#pragma once

#include <string>

namespace platform {

// The path of `fileName` in the folder that holds the running program's
// executable, joined with the system's separator. `fileName` alone when that
// folder cannot be found.
std::string PathBesideExecutable(const std::string& fileName);

}  // namespace platform
