#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// `path` in the bytes the host names files with: the ANSI code page on
// Windows, the file system's own bytes elsewhere. The plug-in makes its
// file names from the host's texts so.
std::string HostFileName(const std::filesystem::path& path);

}  // namespace testing_support
