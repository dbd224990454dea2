#include "tools/replay/working_folder.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "gtest/gtest.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

fs::path FreshFolder(const char* name) {
  const fs::path folder = fs::temp_directory_path() / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// A file logreplay recorded is its own only as it left it: changed since,
// even to the same size, or a link in its place, it is another's.
TEST(WorkingFolderTest, ARecordedFileIsOursOnlyAsWeLeftIt) {
  const fs::path folder = FreshFolder("logreplay_working_folder_test");
  const struct {
    const char* what;
    std::function<bool(const fs::path&)> change;  // false: cannot be made here
    bool foreign;
  } cases[] = {
      {"untouched", [](const fs::path&) { return true; }, false},
      {"removed", [](const fs::path& file) { return fs::remove(file); }, false},
      {"appended",
       [](const fs::path& file) { return bool(std::ofstream(file, std::ios::app) << "x"); }, true},
      {"same size", [](const fs::path& file) { return bool(std::ofstream(file) << "ERR"); }, true},
      {"a link to a copy",
       [](const fs::path& file) {
         std::ofstream(file.parent_path() / "copy.txt") << "err";
         std::error_code error;
         fs::remove(file);
         fs::create_symlink("copy.txt", file, error);
         return !error;
       },
       true},
  };
  for (const auto& c : cases) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "err.txt") << "err";
    std::string problem;
    WorkingFolder first;
    ASSERT_TRUE(first.Open(folder.u8string(), &problem)) << problem;
    ASSERT_TRUE(first.Remember({"err.txt"}, &problem)) << problem;
    if (!c.change(folder / "err.txt")) continue;  // no links on this system
    WorkingFolder later;
    ASSERT_TRUE(later.Open(folder.u8string(), &problem)) << problem;
    EXPECT_EQ(later.ForeignFile({"err.txt"}), c.foreign ? "err.txt" : "") << c.what;
  }
}

}  // namespace
}  // namespace tools
