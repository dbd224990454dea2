#pragma once

// The name the file writers of every system give the temporary file of a
// replacement. Internal to platform/: the writers and their tests use it.

#include <cstdint>
#include <string>

namespace platform {

// The path of a temporary file in the folder of `path`: the part of `path`
// up to and including its last character found in `separators` (none: the
// current folder), then a name of kTempFileNameLength bytes,
// ".stats-PPPPPPPP-NNNNNNNN.tmp", the process id and `number` in
// hexadecimal. The name's length never depends on the name in `path`, so it
// is within every system's limit of a file name whenever the folder is.
std::string TempFileNameBeside(const std::string& path, const char* separators,
                               std::uint32_t processId, std::uint32_t number);

inline constexpr std::size_t kTempFileNameLength = 28;

}  // namespace platform
