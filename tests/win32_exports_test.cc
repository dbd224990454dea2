// The export table of Stats.dll as the host sees it: every function under
// its decorated name, its plain name and both ordinals, all one address.

#include <gtest/gtest.h>

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

}  // namespace
