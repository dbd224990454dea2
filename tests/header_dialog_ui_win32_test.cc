// The header dialog through the exports, as the operator meets it: a reset
// with the Cabrillo flag opens it, a second thread reads and fills it, and
// the settings file shows what was saved.

#include <filesystem>

#include <gtest/gtest.h>

#include "resources/cabrillo_dialog_ids.h"
#include "tests/contract_calls.h"
#include "tests/dialog_watcher.h"
#include "tests/fresh_header.h"
#include "tests/test_support.h"

namespace {

using testing_support::DialogWatcher;
using testing_support::PluginUnderTest;
using testing_support::ReadFile;

const int kOk = 1;
const int kCancel = 2;
const char kSettings[] = "[Settings]\r\nName=Ivan\r\nAddress=Street 1<CR><LF>Kyiv\r\n";

class HeaderDialogUiTest : public ::testing::Test {
 protected:
  HeaderDialogUiTest() {
    std::filesystem::create_directory("Plugins");
    testing_support::WriteFile("Plugins/TAVIN.ini", kSettings);
  }
  void Reset() {
    ASSERT_EQ(testing_support::Reset(m_p, 1, "UT1AA/P", StatsDateTime{46375.5, 0}, "AB", "G1"), 1);
  }

  PluginUnderTest& m_p = PluginUnderTest::Get();
  testing_support::ScopedWorkDir m_dir;
};

TEST_F(HeaderDialogUiTest, ShowsTheValuesAndSavesWhatTheOperatorTyped) {
  DialogWatcher dialog("CQ UT CONTEST", kOk,
                       {{IDC_ADDRESS, "Street 2\r\nLviv"},
                        {IDC_NAME, "Petro"},
                        {IDC_CAT_POWER, "LOW"},
                        {IDC_CLAIMED, "999"},
                        {IDC_SOAPBOX, "73!"}});
  Reset();
  ASSERT_TRUE(dialog.Finish());
  std::map<int, std::string> expected = testing_support::FreshDialogFields("UT1AA/P");
  expected[IDC_NAME] = "Ivan";
  expected[IDC_ADDRESS] = "Street 1\r\nKyiv";
  for (const auto& entry : expected) {
    EXPECT_EQ(dialog.Shown().at(entry.first), entry.second) << "control " << entry.first;
  }
  EXPECT_EQ(ReadFile("Plugins/TAVIN.ini"),
            "[Settings]\r\nName=Petro\r\nAddress=Street 2<CR><LF>Lviv\r\n"
            "Operators=UT1AA/P\r\nCategory=SINGLE-OP\r\nContest=CQ UT CONTEST\r\n"
            "Email=\r\nClub=\r\nSoapBox=73!\r\n");
}

TEST_F(HeaderDialogUiTest, CancelSavesNothing) {
  DialogWatcher dialog("CQ UT CONTEST", kCancel, {{IDC_NAME, "Petro"}});
  Reset();
  ASSERT_TRUE(dialog.Finish());
  EXPECT_EQ(ReadFile("Plugins/TAVIN.ini"), kSettings);
}

}  // namespace
