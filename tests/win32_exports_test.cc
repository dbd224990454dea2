// The export table of Stats.dll as the host sees it: every function under
// its decorated name, its plain name and both ordinals, all one address.

#include <gtest/gtest.h>

#include "tests/plugin_under_test.h"

namespace {

struct ExportPair {
  unsigned decoratedOrdinal;
  const char* decorated;
  unsigned plainOrdinal;
  const char* plain;
};

const ExportPair kExports[] = {
    {1, "?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z", 11,
     "AddData0"},
    {2, "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z", 12, "CheckCall0"},
    {3, "?GetNumberOfSets@@YAHXZ", 14, "GetNumberOfSets"},
    {4, "?GetResult0@@YAPBDPAH@Z", 15, "GetResult0"},
    {5, "?GetSetName@@YAPBDH@Z", 16, "GetSetName"},
    {6, "?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z", 18,
     "RemoveData0"},
    {7, "?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z", 19,
     "ResetStats0"},
    {8, "?SetupSet0@@YAXXZ", 20, "SetupSet0"},
    {9, "?StatsGetExchgCount0@@YAHPBD00@Z", 13, "GetExchgCount0"},
    {10, "?StatsIsValidExchg0@@YAHPBD000HHH@Z", 17, "IsValidExchg0"},
};

TEST(Win32Exports, EachNameAndOrdinalIsOneFunction) {
  const platform::DynamicLibrary& lib = testing_support::PluginUnderTest::Get().library;
  for (const ExportPair& e : kExports) {
    void* decorated = lib.Symbol(e.decorated);
    ASSERT_NE(decorated, nullptr) << e.decorated;
    EXPECT_EQ(lib.Symbol(e.plain), decorated) << e.plain;
    EXPECT_EQ(lib.Ordinal(e.decoratedOrdinal), decorated) << e.decoratedOrdinal;
    EXPECT_EQ(lib.Ordinal(e.plainOrdinal), decorated) << e.plainOrdinal;
  }
  EXPECT_EQ(lib.Ordinal(21), nullptr);
  EXPECT_EQ(lib.Symbol("CheckCallFunc0"), nullptr);
}

TEST(Win32Exports, DecoratedNamesDriveTheSameState) {
  const platform::DynamicLibrary& lib = testing_support::PluginUnderTest::Get().library;
  auto* getSetName = reinterpret_cast<GetSetNameFn*>(lib.Symbol("?GetSetName@@YAPBDH@Z"));
  auto* count = reinterpret_cast<GetNumberOfSetsFn*>(lib.Ordinal(3));
  ASSERT_NE(getSetName, nullptr);
  ASSERT_NE(count, nullptr);
  EXPECT_STREQ(getSetName(0), "CQ UT CONTEST");
  EXPECT_EQ(count(), 1);
}

}  // namespace
