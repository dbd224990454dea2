// The settings file through this system's implementation. The same cases run
// natively and under Windows, against the same expected bytes, so the two
// implementations write identical files.

#include "platform/plugin/settings_file.h"

#include <filesystem>
#include <initializer_list>

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace platform {
namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

const char kPath[] = "Plugins\\TAVIN.ini";

class SystemSettingsFileTest : public ::testing::Test {
 protected:
  SystemSettingsFileTest() { std::filesystem::create_directory("Plugins"); }

  // Each read of `section`, `key` with `fallback` gives `expected`.
  struct Read {
    const char* section;
    const char* key;
    const char* fallback;
    const char* expected;
  };
  void ExpectReads(std::initializer_list<Read> reads) {
    for (const Read& r : reads) {
      EXPECT_EQ(m_settings.Read(kPath, r.section, r.key, r.fallback), r.expected)
          << r.section << "|" << r.key;
    }
  }

  testing_support::ScopedWorkDir m_dir;
  platform::SettingsFile& m_settings = platform::SystemSettingsFile();
};

TEST_F(SystemSettingsFileTest, SequenceOfWritesGivesTheseBytes) {
  struct Step {
    const char *section, *key, *value;
  };
  const Step steps[] = {{"Settings", "Claimed", "295"},
                        {"Settings", "Operators", "UT1AA UT2BB"},
                        {"Settings", "Address", "Street 1<CR><LF>Kyiv"},
                        {"Other", "Key", "v"},
                        {"settings", "CLAIMED", "-12"},
                        {"Settings", "Name", ""},
                        {"Settings", "SoapBox", "  spaced  "}};
  // No file yet: the fallback less its trailing spaces.
  ExpectReads({{"Settings", "Name", " ", ""}, {"Settings", "Name", " a b  ", " a b"}});
  for (const Step& s : steps) {
    EXPECT_TRUE(m_settings.Write(kPath, s.section, s.key, s.value)) << s.key;
  }
  EXPECT_EQ(ReadFile("Plugins/TAVIN.ini"),
            "[Settings]\r\nClaimed=-12\r\nOperators=UT1AA UT2BB\r\n"
            "Address=Street 1<CR><LF>Kyiv\r\nName=\r\nSoapBox=spaced\r\n"
            "[Other]\r\nKey=v\r\n");
  ExpectReads({{"SETTINGS", "soapbox", "x", "spaced"},
               {"Settings", "Name", "x", ""},
               {"Settings", "Email", "x", "x"},
               {"Nowhere", "Claimed", "d", "d"}});
}

TEST_F(SystemSettingsFileTest, ReadsHandWrittenFiles) {
  WriteFile("Plugins/TAVIN.ini",
            "; comment\r\n[Settings]\r\n  Name = \"Quoted Name\" \r\nEmail=a@b\n"
            "Club='X'\r\nEmpty=\r\nName=second\r\n[Settings]\r\nClub=late\r\n");
  ExpectReads({{"Settings", "name", "-", "Quoted Name"},
               {"Settings", "Email", "-", "a@b"},
               {"Settings", "Club", "-", "X"},
               {"Settings", "Empty", "-", ""},
               {"Settings", "Missing", "-", "-"},
               {"Settings", "Missing", "   ", ""}});
}

TEST_F(SystemSettingsFileTest, LongValuesComeBackWhole) {
  std::string value;
  for (int i = 0; value.size() < 5000; ++i) value += "line " + std::to_string(i) + "<CR><LF>";
  ASSERT_TRUE(m_settings.Write(kPath, "Settings", "SoapBox", value));
  EXPECT_EQ(m_settings.Read(kPath, "Settings", "SoapBox", ""), value);
}

TEST_F(SystemSettingsFileTest, RefusesLineBreaksAndKeepsTheFile) {
  ASSERT_TRUE(m_settings.Write(kPath, "Settings", "Name", "before"));
  const std::string before = ReadFile("Plugins/TAVIN.ini");
  for (const char* value : {"a\r\nInjected=1", "a\nb", "a\rb"}) {
    EXPECT_FALSE(m_settings.Write(kPath, "Settings", "Name", value));
  }
  EXPECT_EQ(ReadFile("Plugins/TAVIN.ini"), before);
}

TEST_F(SystemSettingsFileTest, MissingFolderIsNeitherCreatedNorWritten) {
  std::filesystem::remove("Plugins");
  EXPECT_FALSE(m_settings.Write(kPath, "Settings", "Claimed", "1"));
  EXPECT_FALSE(std::filesystem::exists("Plugins"));
  EXPECT_EQ(m_settings.Read(kPath, "Settings", "Claimed", "none"), "none");
}

}  // namespace
}  // namespace platform
