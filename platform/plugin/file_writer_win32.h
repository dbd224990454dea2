#pragma once

// The Windows file writer, for the two ways of naming files: the plug-in's
// in the host's ANSI code page, the tools' in UTF-8.

#include <windows.h>

#include <string>

#include "platform/plugin/file_writer.h"

namespace platform {

// The calls the writer makes that take a path, each converting the path as
// its user names files and then calling through SystemCalls().
struct Win32PathCalls {
  // CreateFile with no sharing restriction beyond `share` and no template.
  HANDLE (*createFile)(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                       DWORD flags);
  // MoveFileEx with the flags that replace `to` in one step.
  BOOL (*replaceFile)(const std::string& from, const std::string& to);
  BOOL (*deleteFile)(const std::string& path);
};

class Win32FileWriter : public FileWriter {
 public:
  explicit Win32FileWriter(const Win32PathCalls& calls) : m_calls(calls) {}

  // As FileWriter says; also false, with nothing written, when `path`
  // names anything but a regular file (after links) or nothing yet: a
  // folder, a device (NUL, CON, COM1, any \\.\ path), a pipe. The file
  // keeps the hidden and system attributes of the one it replaces; a file
  // with the read-only attribute is not replaced.
  bool ReplaceWhole(const std::string& path, const std::string& bytes) override;
  bool Replaces(const std::string& path) override;

 private:
  Win32PathCalls m_calls;
};

}  // namespace platform
