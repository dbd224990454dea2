#pragma once

#include <cstddef>
#include <string_view>

namespace fuzzing {

// Files and folders kept in memory and put behind the POSIX call table
// (platform::SystemCalls()), so the plug-in's files never reach a disk and
// a flush costs nothing. Paths are relative to one root folder, which plays
// the current directory: "a/b" and "./a//b" name the same file; ".." is an
// ordinary name. Files are created with mode 0666 less a umask of 022;
// access() checks the owner's bits. Folders can be made only from here.
//
// UseMemoryFiles() installs the calls for the rest of the process.
//
// The tables, names and contents keep their memory from one input to the
// next: after the first few inputs a file costs no allocation.
void UseMemoryFiles();

// Removes every file and folder. No descriptor may be open; descriptor
// numbers start again from the same value, so an input sees the same
// numbers whatever ran before it.
void ClearMemoryFiles();

// What mkdir -p, writing a file and remove() would do: PutMemoryFile makes
// the folders above `path` and gives a file (not a folder) there `bytes`;
// PutMemoryFolder makes the missing folders of `path`; RemoveMemoryFile
// removes a file or an empty folder.
void PutMemoryFile(std::string_view path, std::string_view bytes);
void PutMemoryFolder(std::string_view path);
void RemoveMemoryFile(std::string_view path);

// How many descriptors are open, and how many names end in ".tmp".
std::size_t OpenMemoryDescriptors();
std::size_t MemoryTempFiles();

}  // namespace fuzzing
