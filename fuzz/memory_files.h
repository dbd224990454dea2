#pragma once

#include <cstddef>
#include <string>

namespace fuzzing {

// Files and folders kept in memory and put behind the POSIX call table
// (platform::SystemCalls()), so the plug-in's files never reach a disk and
// a flush costs nothing. Paths are relative to one root folder, which plays
// the current directory: "a/b" and "./a//b" name the same file; ".." is an
// ordinary name. Files are created with mode 0666 less a umask of 022;
// access() checks the owner's bits. Folders can be made only from here.
//
// UseMemoryFiles() installs the calls for the rest of the process.
void UseMemoryFiles();

// Removes every file and folder. No descriptor may be open.
void ClearMemoryFiles();

// What mkdir -p, writing a file and remove() would do: PutMemoryFile makes
// the folders above `path` and gives a file (not a folder) there `bytes`;
// PutMemoryFolder makes the missing folders of `path`; RemoveMemoryFile
// removes a file or an empty folder.
void PutMemoryFile(const std::string& path, const std::string& bytes);
void PutMemoryFolder(const std::string& path);
void RemoveMemoryFile(const std::string& path);

// How many descriptors are open, and how many names end in ".tmp".
std::size_t OpenMemoryDescriptors();
std::size_t MemoryTempFiles();

}  // namespace fuzzing
