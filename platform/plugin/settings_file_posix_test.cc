#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/plugin/settings_file.h"
#include "tests/test_support.h"

namespace platform {
namespace {

using namespace std::string_literals;

constexpr char kPath[] = "Plugins\\TAVIN.ini";
constexpr char kLocal[] = "Plugins/TAVIN.ini";

// Each test runs in a fresh folder holding an empty "Plugins" folder.
class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(mkdir("Plugins", 0777), 0); }

  static void Put(const std::string& bytes, const char* local = kLocal) {
    testing_support::WriteFile(local, bytes);
  }

  static std::string Get(const char* local = kLocal) { return testing_support::ReadFile(local); }

  static bool Exists(const char* local) { return access(local, F_OK) == 0; }

  static mode_t ModeOf(const char* local) {
    struct stat info {};
    stat(local, &info);
    return info.st_mode & 07777;
  }

  // Names in `folder` other than "." and "..", sorted.
  static std::vector<std::string> Entries(const char* folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder)) {
      while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  const std::vector<std::string> m_onlySettingsFile{"TAVIN.ini"};
  SettingsFile& m_settings = SystemSettingsFile();
  testing_support::ScopedWorkDir m_dir;
};

struct ReadCase {
  const char* what;
  std::string file;
  const char* section;
  const char* key;
  std::string expected;
};

TEST_F(SettingsFileTest, ReadsByPrivateProfileRules) {
  const std::string longValue(300, 'x');
  const ReadCase cases[] = {
      {"names ignore case", "[Settings]\r\nName=Joe\r\n", "settings", "NAME", "Joe"},
      {"blanks around key and value", "[S]\r\n \tName \t=  \t Joe Doe \v\r\n", "S", "name",
       "Joe Doe"},
      {"blanks in and before the header", " \t[ S\t]\r\nk=v\r\n", "s", "k", "v"},
      {"double quotes", "[S]\r\nk= \" padded \" \r\n", "S", "k", " padded "},
      {"single quotes", "[S]\r\nk='x'\r\n", "S", "k", "x"},
      {"only the outer pair", "[S]\r\nk=\"a\" b \"c\"\r\n", "S", "k", "a\" b \"c"},
      {"mismatched quotes kept", "[S]\r\nk=\"abc'\r\n", "S", "k", "\"abc'"},
      {"lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
      {"LF ends", "[S]\nk=v\n[T]\nk=w\n", "T", "k", "w"},
      {"CR ends", "[S]\rk=v\r[T]\rk=w", "T", "k", "w"},
      {"mixed ends, CR", "[S]\r\na=1\nb=2\rc=3\r\n", "S", "c", "3"},
      {"mixed ends, LF", "[S]\r\na=1\nb=2\rc=3\r\n", "S", "b", "2"},
      {"CR CR LF", "[S]\r\r\nk=v\r\r\n", "S", "k", "v"},
      {"comment is no key", "[S]\r\n;k=c\r\n  ;k=d\r\n", "S", ";k", "FB"},
      {"comment hides nothing", "[S]\r\n;k=c\r\nk=v\r\n", "S", "k", "v"},
      {"semicolon inside a value", "[S]\r\nk=a ; b\r\n", "S", "k", "a ; b"},
      {"hash starts a key", "[S]\r\n#k=v\r\n", "S", "#k", "v"},
      {"equals sign in a value", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
      {"first duplicate key wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
      {"first section wins", "[S]\r\na=1\r\n[T]\r\n[s]\r\na=2\r\n", "S", "a", "1"},
      {"second section ignored", "[S]\r\n[T]\r\n[S]\r\nb=3\r\n", "S", "b", "FB"},
      {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
      {"blank value", "[S]\r\nk= \t \r\n", "S", "k", ""},
      {"empty quoted value", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
      {"missing key", "[S]\r\nk=v\r\n", "S", "x", "FB"},
      {"missing section", "[S]\r\nk=v\r\n", "T", "k", "FB"},
      {"key of another section", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", "FB"},
      {"key before any section", "k=v\r\n[S]\r\n", "S", "k", "FB"},
      {"line without equals sign", "[S]\r\nk\r\n", "S", "k", "FB"},
      {"name ends at first bracket", "[S]x]\r\nk=v\r\n", "S", "k", "v"},
      {"text after the header", "[S] ; c\r\nk=v\r\n", "S", "k", "v"},
      {"unclosed bracket is no header", "[S]\r\n[T\r\nk=v\r\n", "S", "k", "v"},
      {"no final line end", "[S]\r\nk=v", "S", "k", "v"},
      {"UTF-8 mark hides first header", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "FB"},
      {"long value", "[S]\r\nk=" + longValue + "\r\n", "S", "k", longValue},
      {"garbage lines", "\xff\0\x01[\r\n]=\0\r\n[S]\r\n\0garbage\r\nk=v\x01"s, "S", "k", "v\x01"},
      {"NUL bytes kept in a value", "[S]\r\nk=a\0b\r\n"s, "S", "k", "a\0b"s},
      {"empty file", "", "S", "k", "FB"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    Put(c.file);
    EXPECT_EQ(m_settings.Read(kPath, c.section, c.key, "FB"), c.expected);
  }
}

TEST_F(SettingsFileTest, MissingFileOrFolderGivesFallbackLessTrailingSpaces) {
  EXPECT_EQ(m_settings.Read(kPath, "S", "k", "  CALL \t  "), "  CALL \t");
  EXPECT_EQ(m_settings.Read("Missing\\TAVIN.ini", "S", "k", "CALL"), "CALL");
  EXPECT_EQ(m_settings.Read(kPath, "S", "k", "   "), "");
}

TEST_F(SettingsFileTest, WritesNewSectionsAndKeysInOrder) {
  EXPECT_TRUE(m_settings.Write(kPath, "App1", "key1", "string1"));
  EXPECT_EQ(Get(), "[App1]\r\nkey1=string1\r\n");
  EXPECT_TRUE(m_settings.Write(kPath, "App1", "key2", "string2"));
  EXPECT_TRUE(m_settings.Write(kPath, "App1", "key3", "string3"));
  EXPECT_TRUE(m_settings.Write(kPath, "App2", "key4", "string4"));
  EXPECT_TRUE(m_settings.Write(kPath, "App3", "key5", "string5"));
  EXPECT_EQ(Get(),
            "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n"
            "[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n");
  EXPECT_EQ(Entries("Plugins"), m_onlySettingsFile);
}

struct WriteCase {
  const char* what;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

TEST_F(SettingsFileTest, WriteChangesOnlyItsOwnLine) {
  const WriteCase cases[] = {
      {"update keeps position and spelling", "[App1]\r\nKey1=old\r\nkey2=x\r\n", "app1", "KEY1",
       "New", "[App1]\r\nKey1=New\r\nkey2=x\r\n"},
      {"update drops blanks of its line", "[A]\r\n  X = old  \r\n; c\r\n", "A", "x", "new",
       "[A]\r\nX=new\r\n; c\r\n"},
      {"other bytes kept, LF lines too", "; top\n[A]\nx = 1\n\n; about B\n[B]\ny=2\n", "A", "z",
       "3", "; top\n[A]\nx = 1\nz=3\r\n\n; about B\n[B]\ny=2\n"},
      {"new key after the last key, not after text lines", "[A]\r\nx=1\r\nnoequals\r\n\r\n[B]\r\n",
       "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\nnoequals\r\n\r\n[B]\r\n"},
      {"new key right after a header without keys", "[A]\r\n;x=1\r\n", "A", "x", "2",
       "[A]\r\nx=2\r\n;x=1\r\n"},
      {"header at the end without line end", "[A]", "A", "x", "1", "[A]\r\nx=1\r\n"},
      {"last key without line end", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
      {"update of a last line without line end", "[A]\r\nx=1", "A", "x", "2", "[A]\r\nx=2\r\n"},
      {"new section after a missing line end", "[A]\r\nx=1", "B", "y", "2",
       "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
      {"new section after CR end", "[A]\rx=1\r", "B", "y", "2", "[A]\rx=1\r[B]\r\ny=2\r\n"},
      {"new section after blank lines", "[A]\r\nx=1\r\n\r\n", "B", "y", "2",
       "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
      {"first duplicate key updated", "[A]\r\nx=1\r\nx=2\r\n", "A", "x", "9",
       "[A]\r\nx=9\r\nx=2\r\n"},
      {"first section written", "[A]\r\nx=1\r\n[B]\r\n[A]\r\ny=2\r\n", "a", "y", "3",
       "[A]\r\nx=1\r\ny=3\r\n[B]\r\n[A]\r\ny=2\r\n"},
      {"lines before the first section kept", "k=v\r\n", "S", "k", "w", "k=v\r\n[S]\r\nk=w\r\n"},
      {"empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"value written without its surrounding blanks", "", "S", "k", " \"q\" ",
       "[S]\r\nk=\"q\"\r\n"},
      {"blanks around names dropped", "", " \tS ", " k\t", "v", "[S]\r\nk=v\r\n"},
      {"garbage kept", "\xff\0]=\r\n"s, "S", "k", "v", "\xff\0]=\r\n[S]\r\nk=v\r\n"s},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    Put(c.before);
    EXPECT_TRUE(m_settings.Write(kPath, c.section, c.key, c.value));
    EXPECT_EQ(Get(), c.after);
  }
}

// Whatever the file held, a successful write reads back and leaves other
// keys readable as before.
TEST_F(SettingsFileTest, WriteThenReadOverRandomBytes) {
  std::mt19937 random(20240501);
  const std::string alphabet = "[]=;\r\n \t\"sSkK\0\xff"s;
  const char* const others[][2] = {{"S", "s"}, {"k", "k"}, {"", "K"}};
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 80, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    SCOPED_TRACE(::testing::PrintToString(bytes));
    Put(bytes);
    std::vector<std::string> before;
    for (const auto& other : others) {
      before.push_back(m_settings.Read(kPath, other[0], other[1], "FB"));
    }
    ASSERT_TRUE(m_settings.Write(kPath, "S", "k", "v=1"));
    EXPECT_EQ(m_settings.Read(kPath, "s", "K", "FB"), "v=1");
    for (size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(m_settings.Read(kPath, others[i][0], others[i][1], "FB"), before[i]);
    }
  }
}

TEST_F(SettingsFileTest, ResolvesBackslashPathsAgainstCurrentFolder) {
  ASSERT_EQ(mkdir("Plugins/Sub", 0777), 0);
  EXPECT_TRUE(m_settings.Write("Plugins\\Sub\\x.ini", "S", "k", "v"));
  EXPECT_EQ(Get("Plugins/Sub/x.ini"), "[S]\r\nk=v\r\n");
  EXPECT_TRUE(m_settings.Write("bare.ini", "S", "k", "w"));
  EXPECT_EQ(m_settings.Read("bare.ini", "S", "k", "FB"), "w");
}

TEST_F(SettingsFileTest, KeepsPermissionBits) {
  Put("[S]\r\nk=v\r\n");
  ASSERT_EQ(chmod(kLocal, 0640), 0);
  EXPECT_TRUE(m_settings.Write(kPath, "S", "k", "w"));
  EXPECT_EQ(ModeOf(kLocal), 0640u);

  const mode_t oldMask = umask(027);
  EXPECT_TRUE(m_settings.Write("Plugins\\new.ini", "S", "k", "v"));
  umask(oldMask);
  EXPECT_EQ(ModeOf("Plugins/new.ini"), 0640u);
}

struct Refusal {
  const char* what;
  const char* section;
  const char* key;
  std::string value;
};

TEST_F(SettingsFileTest, RefusesTextThatWouldInjectLines) {
  const std::string before = "; c\r\n[S]\r\nk=v\r\n";
  const Refusal cases[] = {
      {"CR LF in value", "S", "k", "a\r\nb"},
      {"LF in value", "S", "k", "a\nb"},
      {"CR in value", "S", "k", "a\rb"},
      {"NUL in value", "S", "k", "a\0b"s},
      {"equals sign in key", "S", "k=x", "v"},
      {"LF in key", "S", "k\nx", "v"},
      {"key starting a comment", "S", ";k", "v"},
      {"key starting a header", "S", "[k", "v"},
      {"bracket in section", "S]\r\nk=x", "k", "v"},
      {"CR in section", "S\r", "k", "v"},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    Put(before);
    EXPECT_FALSE(m_settings.Write(kPath, c.section, c.key, c.value));
    EXPECT_EQ(Get(), before);
    EXPECT_EQ(Entries("Plugins"), m_onlySettingsFile);
  }
}

TEST_F(SettingsFileTest, MissingFolderIsNotCreated) {
  EXPECT_FALSE(m_settings.Write("Missing\\TAVIN.ini", "S", "k", "v"));
  EXPECT_FALSE(Exists("Missing"));
  EXPECT_EQ(Entries("."), std::vector<std::string>{"Plugins"});
}

TEST_F(SettingsFileTest, ReadOnlyFileIsLeftAlone) {
  const std::string before = "[S]\r\nk=v\r\n";
  Put(before);
  ASSERT_EQ(chmod(kLocal, 0444), 0);
  EXPECT_FALSE(m_settings.Write(kPath, "S", "k", "w"));
  EXPECT_EQ(Get(), before);
  EXPECT_EQ(ModeOf(kLocal), 0444u);
  EXPECT_EQ(Entries("Plugins"), m_onlySettingsFile);
}

TEST_F(SettingsFileTest, FolderInPlaceOfFileIsLeftAlone) {
  ASSERT_EQ(mkdir(kLocal, 0777), 0);
  EXPECT_FALSE(m_settings.Write(kPath, "S", "k", "v"));
  EXPECT_EQ(m_settings.Read(kPath, "S", "k", "FB"), "FB");
  EXPECT_EQ(Entries("Plugins"), m_onlySettingsFile);
  EXPECT_TRUE(Entries(kLocal).empty());
}

}  // namespace
}  // namespace platform
