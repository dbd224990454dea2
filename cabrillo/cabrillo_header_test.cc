#include <gtest/gtest.h>

#include "cabrillo/cabrillo_log.h"
#include "resources/cabrillo_dialog_ids.h"
#include "tests/fake_dialog_runner.h"
#include "tests/fake_settings.h"
#include "tests/fresh_header.h"

namespace cabrillo {
namespace {

using Runner = testing_support::FakeDialogRunner;

class EditHeaderTest : public ::testing::Test {
 protected:
  int Edit(const std::string& callsign) {
    return m_log.EditHeader(callsign, m_settings, m_dialogs);
  }
  std::string Stored(const std::string& key) {
    return m_settings.values["Plugins\\TAVIN.ini|Settings|" + key];
  }

  CCabrilloLog m_log;
  testing_support::FakeSettingsFile m_settings;
  Runner m_dialogs;
};

TEST_F(EditHeaderTest, NoSettingsFileShowsTheDefaults) {
  EXPECT_EQ(Edit("UT1AA"), 1);
  EXPECT_EQ(m_dialogs.caption, "CQ UT CONTEST");
  EXPECT_EQ(m_dialogs.shown, testing_support::FreshDialogFields("UT1AA"));
}

TEST_F(EditHeaderTest, ReadsInOrderAndWritesInOrderOnOk) {
  EXPECT_EQ(Edit("UT1AA"), 1);
  const std::vector<std::string> reads = {"Operators", "Name", "Address", "Claimed",
                                          "Email",     "Club", "SoapBox"};
  EXPECT_EQ(m_settings.reads, reads);
  std::vector<std::string> writes;
  for (const auto& w : m_settings.writes) {
    EXPECT_EQ(w.path, "Plugins\\TAVIN.ini");
    EXPECT_EQ(w.section, "Settings");
    writes.push_back(w.key + "=" + w.value);
  }
  const std::vector<std::string> expected = {
      "Operators=UT1AA",       "Name=",  "Address=", "Category=SINGLE-OP",
      "Contest=CQ UT CONTEST", "Email=", "Club=",    "SoapBox="};
  EXPECT_EQ(writes, expected);
}

TEST_F(EditHeaderTest, CancelWritesNothingAndKeepsTheLoadedValues) {
  m_settings.Set("Name", "Ivan");
  m_settings.Set("Address", "Street 1<CR><LF>Kyiv");
  m_dialogs.result = Runner::kCancel;
  m_dialogs.edit = [](platform::DialogControls& c) { c.SetText(IDC_NAME, "Changed"); };
  EXPECT_EQ(Edit("UT1AA"), 0);
  EXPECT_TRUE(m_settings.writes.empty());
  EXPECT_EQ(m_log.m_name, "Ivan");
  EXPECT_EQ(m_log.m_callsign, "UT1AA");
  EXPECT_EQ(m_log.m_address, "Street 1\r\nADDRESS: Kyiv") << "header form after Cancel too";
  m_log.m_qsoLines.push_back("kept");
  m_dialogs.result = Runner::kCannotShow;
  EXPECT_EQ(Edit("UT1AA"), 0);
  EXPECT_EQ(m_log.m_qsoLines.size(), 1u) << "only OK empties the QSO lines";
}

TEST_F(EditHeaderTest, OperatorsFallBackToTheCallsignOnlyWhenAbsent) {
  Edit("UT1AA");
  EXPECT_EQ(m_dialogs.shown[IDC_OPERATORS], "UT1AA");
  m_settings.Set("Operators", "");
  Edit("UT1AA");
  EXPECT_EQ(m_dialogs.shown[IDC_OPERATORS], "");
}

TEST_F(EditHeaderTest, MultiLineValuesRoundTripThroughTheFile) {
  m_dialogs.edit = [](platform::DialogControls& c) {
    c.SetText(IDC_ADDRESS, "Street 1\r\nKyiv");
    c.SetText(IDC_SOAPBOX, "line<CR>typed");
    c.SetText(IDC_OPERATORS, "UT1AA\nUT2BB");
  };
  EXPECT_EQ(Edit("UT1AA"), 1);
  EXPECT_EQ(Stored("Address"), "Street 1<CR><LF>Kyiv");
  EXPECT_EQ(Stored("SoapBox"), "line<CR>typed");
  EXPECT_EQ(Stored("Operators"), "UT1AA<LF>UT2BB");
  EXPECT_EQ(m_log.m_address, "Street 1\r\nADDRESS: Kyiv");
  EXPECT_EQ(m_log.m_soapbox, "line\r\nSOAPBOX: typed") << "typed <CR> breaks the line";
  EXPECT_EQ(m_log.m_operators, "UT1AAUT2BB") << "a bare LF joins the lines";

  m_dialogs.edit = nullptr;
  Edit("UT1AA");
  EXPECT_EQ(m_dialogs.shown[IDC_ADDRESS], "Street 1\r\nKyiv");
  EXPECT_EQ(m_dialogs.shown[IDC_SOAPBOX], "line\rtyped");
}

TEST_F(EditHeaderTest, LongValuesAreReadWhole) {
  std::string address;
  for (int i = 0; i < 40; ++i) address += "Line number " + std::to_string(i) + "<CR><LF>";
  m_settings.Set("Address", address);
  m_dialogs.result = Runner::kOk;
  Edit("UT1AA");
  EXPECT_EQ(Stored("Address"), address) << "saved back unchanged";
  EXPECT_GT(m_dialogs.shown[IDC_ADDRESS].size(), 500u);
}

TEST_F(EditHeaderTest, ClaimedIsShownButNeverSaved) {
  m_settings.Set("Claimed", "295");
  m_dialogs.edit = [](platform::DialogControls& c) { c.SetText(IDC_CLAIMED, "99999"); };
  Edit("UT1AA");
  EXPECT_EQ(m_dialogs.shown[IDC_CLAIMED], "295");
  EXPECT_EQ(Stored("Claimed"), "295");
  EXPECT_EQ(m_log.m_claimed, "295");
}

TEST_F(EditHeaderTest, OkTakesEveryFieldAndContestIsSaved) {
  m_dialogs.edit = [](platform::DialogControls& c) {
    c.SetText(IDC_CONTEST, "OTHER TEST");
    c.SetText(IDC_CALLSIGN, "UT1AA/P");
    c.SetText(IDC_CAT_OPERATOR, "SO2R");
    c.SetText(IDC_LOCATION, "KV");
    c.SetText(IDC_EMAIL, "op@example.org");
  };
  m_log.m_qsoLines.push_back("old line");
  EXPECT_EQ(Edit("UT1AA"), 1);
  EXPECT_EQ(m_log.m_contest, "OTHER TEST");
  EXPECT_EQ(Stored("Contest"), "OTHER TEST");
  EXPECT_EQ(m_log.m_callsign, "UT1AA/P");
  EXPECT_EQ(m_log.m_fileBase, "UT1AA") << "the file follows the handed-in callsign";
  EXPECT_EQ(m_log.m_catOperator, "SO2R");
  EXPECT_EQ(Stored("Category"), "SO2R");
  EXPECT_TRUE(m_log.m_qsoLines.empty());

  // Categories return to their defaults; LOCATION stays in memory only.
  m_dialogs.edit = nullptr;
  Edit("UT1AA");
  EXPECT_EQ(m_dialogs.shown[IDC_CAT_OPERATOR], "SINGLE-OP");
  EXPECT_EQ(m_dialogs.shown[IDC_LOCATION], "KV");
  EXPECT_EQ(m_settings.values.count("Plugins\\TAVIN.ini|Settings|Location"), 0u);
}

TEST_F(EditHeaderTest, ComboSelectsTheFirstEntryWithThePrefix) {
  m_dialogs.edit = [](platform::DialogControls& c) {
    EXPECT_TRUE(c.SelectComboPrefix(IDC_CAT_OPERATOR, "mul"));
    EXPECT_FALSE(c.SelectComboPrefix(IDC_CAT_BAND, "160"));
  };
  Edit("UT1AA");
  EXPECT_EQ(m_log.m_catOperator, "MULTI-OP");
  EXPECT_EQ(m_log.m_catBand, "ALL");
}

TEST_F(EditHeaderTest, FileBaseFollowsTheCallsign) {
  m_dialogs.result = Runner::kCancel;
  Edit(" UT1AA/P ");
  EXPECT_EQ(m_log.m_fileBase, "UT1AA_P");
  EXPECT_EQ(m_log.m_callsign, " UT1AA/P ");
  Edit("");
  EXPECT_EQ(m_log.m_fileBase, "TAVIN");
}

}  // namespace
}  // namespace cabrillo
