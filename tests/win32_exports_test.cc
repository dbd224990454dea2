// The export table of Stats.dll as the host sees it: every function under
// its decorated name, its plain name and both ordinals, all one address;
// and its version resource as Windows shows it.

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/version.h"
#include "tests/plugin_under_test.h"

namespace {

TEST(Win32Exports, EachNameAndOrdinalIsOneFunction) {
  const platform::DynamicLibrary& lib = testing_support::PluginUnderTest::Get().Library();
  for (const StatsExportNames& e : kStatsExports) {
    void* decorated = lib.Symbol(e.decorated);
    ASSERT_NE(decorated, nullptr) << e.decorated;
    EXPECT_EQ(lib.Symbol(e.plain), decorated) << e.plain;
    EXPECT_EQ(lib.Ordinal(e.ordinal), decorated) << e.ordinal;
    EXPECT_EQ(lib.Ordinal(e.plainOrdinal), decorated) << e.plainOrdinal;
  }
  EXPECT_EQ(lib.Ordinal(21), nullptr);
  EXPECT_EQ(lib.Symbol("CheckCallFunc0"), nullptr);
}

TEST(Win32Exports, DecoratedNamesDriveTheSameState) {
  const platform::DynamicLibrary& lib = testing_support::PluginUnderTest::Get().Library();
  auto* getSetName = reinterpret_cast<GetSetNameFn*>(lib.Symbol("?GetSetName@@YAPBDH@Z"));
  auto* count = reinterpret_cast<GetNumberOfSetsFn*>(lib.Ordinal(3));
  ASSERT_NE(getSetName, nullptr);
  ASSERT_NE(count, nullptr);
  EXPECT_STREQ(getSetName(0), "CQ UT CONTEST");
  EXPECT_EQ(count(), 1);
}

TEST(Win32Exports, VersionResourceNamesTheProjectVersion) {
  char path[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameA(GetModuleHandleA("Stats.dll"), path, MAX_PATH), 0u);
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path, &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));
  auto value = [&](const std::string& name) -> std::string {
    void* text = nullptr;
    UINT length = 0;
    const std::string key = "\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueA(block.data(), key.c_str(), &text, &length)) return "(missing)";
    return static_cast<const char*>(text);
  };
  EXPECT_EQ(value("FileVersion"), STATS_VERSION_TEXT);
  EXPECT_EQ(value("ProductVersion"), STATS_VERSION_TEXT);
  for (const char* filled : {"CompanyName", "FileDescription", "LegalCopyright"}) {
    EXPECT_NE(value(filled), "(missing)") << filled;
    EXPECT_NE(value(filled), "") << filled;
  }

  void* root = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &root, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(root);
  const WORD version[] = {STATS_VERSION_COMMA};
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(version[1], version[0]));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(version[3], version[2]));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
}

}  // namespace
