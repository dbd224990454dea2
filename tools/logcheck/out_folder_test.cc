#include "tools/logcheck/out_folder.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

const char kLinkProblem[] =
    ": is a symbolic link, which logcheck does not write through; remove it or give another "
    "folder";
const char kChangedProblem[] =
    ": changed since logcheck wrote it; move it away or give another folder";

void Append(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::app | std::ios::binary) << text;
}

// An earlier run's folder is replaced only where logcheck left it as it
// wrote it: no link anywhere in it, every listed file unchanged (by its
// mark, or for a marker of names alone by its time), names inside it only.
TEST(OutFolderTest, ReplacesOnlyWhatItWroteUnchanged) {
  const fs::path root = fs::temp_directory_path() / "logcheck_out_folder_test";
  const fs::path out = root / "out";
  const auto link = [](const fs::path& target, const fs::path& at) {
    std::error_code error;
    fs::create_symlink(target, at, error);
    return !error;
  };
  const auto oldMarker = [&](const char* extra) {
    std::ofstream(out / kLogcheckMarkerName, std::ios::binary)
        << "# files logcheck wrote in this folder; it replaces only these\nresults.csv\n"
           "reports/UT1AA.txt\nplugin/err.txt\n"
        << extra;
    return true;
  };
  const struct {
    const char* what;
    std::function<bool()> change;  // false: cannot be made here
    std::string expected;          // "listed: NAME..." or the problem
  } cases[] = {
      {"untouched", [] { return true; }, "listed: reports/UT1AA.txt results.csv"},
      {"a report appended",
       [&] {
         Append(out / "reports/UT1AA.txt", "x");
         return true;
       },
       std::string("reports/UT1AA.txt") + kChangedProblem},
      {"same size",
       [&] {
         std::ofstream(out / "results.csv", std::ios::binary) << "A,B\n";
         return true;
       },
       std::string("results.csv") + kChangedProblem},
      {"a link at a listed name",
       [&] {
         fs::copy_file(out / "results.csv", root / "copy.csv");
         fs::remove(out / "results.csv");
         return link(root / "copy.csv", out / "results.csv");
       },
       std::string("results.csv") + kLinkProblem},
      {"the reports linked elsewhere",
       [&] {
         fs::rename(out / "reports", root / "elsewhere");
         return link(root / "elsewhere", out / "reports");
       },
       std::string("reports") + kLinkProblem},
      {"names outside the folder",
       [&] {
         std::ofstream(root / "outside.txt") << "x";
         FileMark mark;
         MarkOfFile((root / "outside.txt").u8string(), &mark);
         const std::string names[] = {"../outside.txt", "reports/../../outside.txt",
                                      (root / "outside.txt").u8string()};
         for (const std::string& name : names) {
           Append(out / kLogcheckMarkerName, MarkLine(mark, name) + "\n");
         }
         return true;
       },
       "listed: reports/UT1AA.txt results.csv"},
      {"an older marker", [&] { return oldMarker(""); },
       "listed: results.csv reports/UT1AA.txt plugin/err.txt"},
      {"an older marker, a file written after it",
       [&] {
         oldMarker("../outside.txt\n");
         fs::last_write_time(out / "results.csv", fs::last_write_time(out / kLogcheckMarkerName) +
                                                      std::chrono::hours(1));
         return true;
       },
       std::string("results.csv") + kChangedProblem},
  };
  for (const auto& c : cases) {
    fs::remove_all(root);
    fs::create_directories(out / kOutReportsFolder);
    OutFolder folder(out);
    ASSERT_TRUE(folder.Write("results.csv", "a,b\n") &&
                folder.Write("reports/UT1AA.txt", "report\n") && folder.WriteMarker());
    if (!c.change()) continue;  // no links on this system
    std::vector<std::string> listed;
    std::string problem;
    std::string got = "listed:";
    if (OwnedFolder(out, &listed, &problem)) {
      for (const std::string& name : listed) got += " " + name;
    } else {
      got = problem;
    }
    EXPECT_EQ(got, c.expected) << c.what;
  }
}

}  // namespace
}  // namespace tools
