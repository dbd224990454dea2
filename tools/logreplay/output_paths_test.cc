#include "tools/logreplay/output_paths.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "gtest/gtest.h"
#include "tools/report/report_page.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

// A page logreplay wrote carries the mark in its head; an older page, from
// before the mark, ends with the credit, long or short. Nothing else is one.
TEST(OutputPathsTest, TellsReportPagesOfEitherForm) {
  const fs::path folder = fs::temp_directory_path() / "logreplay_report_page_test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string filler(3000, 'x');
  const std::string credit = "<p>drawn by logreplay from the plug-in's results</p>\n</html>\n";
  const struct {
    std::string page;
    bool ours;
  } cases[] = {
      {"<!DOCTYPE html>\n<html><head>" + std::string(kReportMarkLine) + filler, true},
      {"<!DOCTYPE html>\n<html><body>" + filler + credit, true},
      {"<!DOCTYPE html>\n<html><body>" + credit, true},
      {"<!DOCTYPE html>\n<html><body>" + credit + filler, false},
      {"<!DOCTYPE html>\n<p>mine</p>\n", false},
  };
  for (const auto& c : cases) {
    const fs::path page = folder / "page.html";
    std::ofstream(page, std::ios::binary) << c.page;
    EXPECT_EQ(IsReportPage(page.u8string()), c.ours)
        << c.page.substr(0, 40) << "..." << c.page.substr(c.page.size() - 20);
  }
}

}  // namespace
}  // namespace tools
