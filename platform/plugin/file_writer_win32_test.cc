#include "platform/plugin/file_writer_win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/tools/utf8_files.h"
#include "tests/test_support.h"

namespace platform {
namespace {

using testing_support::ReadFile;
using testing_support::ScopedWorkDir;
using testing_support::WriteFile;

// The system's calls, with a record of every path opened for writing.
std::vector<std::string> g_openedForWriting;

HANDLE RecordingCreateFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                           DWORD flags) {
  if ((access & GENERIC_WRITE) != 0) g_openedForWriting.push_back(path);
  return CreateFileA(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
}
BOOL Replace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
}
BOOL Delete(const std::string& path) { return DeleteFileA(path.c_str()); }

// Renaming over a folder fails anyway; a device would take the bytes of the
// temporary file.
TEST(Win32FileWriter, RefusesAnythingButAFileOpeningNothingForWriting) {
  const char* const kPaths[] = {"folder",
                                "folder\\",
                                "NUL",
                                "nul.html",
                                "COM1",
                                "con",
                                "folder\\LPT1.txt",
                                "\\\\.\\NUL",
                                "//./NUL",
                                "\\\\.\\pipe\\stats",
                                "\\\\?\\GLOBALROOT\\Device\\Null"};
  ScopedWorkDir dir;
  CreateDirectoryA("folder", nullptr);
  Win32FileWriter writer({RecordingCreateFile, Replace, Delete});
  for (const char* path : kPaths) {
    g_openedForWriting.clear();
    EXPECT_FALSE(writer.ReplaceWhole(path, "page")) << path;
    EXPECT_TRUE(g_openedForWriting.empty()) << path << ": " << g_openedForWriting.front();
  }
}

TEST(Win32FileWriter, WritesANewFileAndReplacesAnOldOne) {
  for (FileWriter& writer : {std::ref(SystemFileWriter()), std::ref(Utf8FileWriter())}) {
    ScopedWorkDir dir;
    WriteFile("old.html", "the old page, longer than the new one");
    for (const char* path : {"new.html", "old.html", ".\\old.html"}) {
      ASSERT_TRUE(writer.ReplaceWhole(path, "page")) << path;
      EXPECT_EQ(ReadFile(path), "page") << path;
    }
  }
}

// Under a locale whose ANSI code page has no Cyrillic, only the wide calls
// find this name.
TEST(Utf8Files, WriteAndReadANameOutsideTheAnsiCodePage) {
  ScopedWorkDir dir;
  const std::string name = "\xD0\xB7\xD0\xB2\xD1\x96\xD1\x82.html";  // звіт.html
  ASSERT_TRUE(Utf8FileWriter().ReplaceWhole(name, "page"));
  std::FILE* file = OpenFileUtf8(name, "rb");
  ASSERT_NE(file, nullptr);
  char text[8] = {};
  EXPECT_EQ(std::fread(text, 1, sizeof text, file), 4u);
  std::fclose(file);
  EXPECT_STREQ(text, "page");
}

}  // namespace
}  // namespace platform
