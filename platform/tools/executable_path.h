#pragma once

#include <string>

namespace platform {

// The path of `fileName` in the folder that holds the running program's
// executable, joined with the system's separator, in UTF-8 on Windows (the
// bytes of the name elsewhere). `fileName` alone when that folder cannot be
// found.
std::string PathBesideExecutable(const std::string& fileName);

}  // namespace platform
