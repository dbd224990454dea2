// Test program for the built plug-in: the first argument is its path.

#include <cstdio>
#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/plugin_under_test.h"

namespace testing_support {
namespace {
std::string g_path;
}

void PluginUnderTest::SetPath(const std::string& path) { g_path = path; }

PluginUnderTest& PluginUnderTest::Get() {
  static PluginUnderTest plugin(g_path);
  return plugin;
}

template <typename Fn>
static void Resolve(const platform::DynamicLibrary& library, const char* name, Fn** fn) {
  *fn = reinterpret_cast<Fn*>(library.Symbol(name));
  if (*fn == nullptr) throw std::runtime_error(std::string("missing export ") + name);
}

PluginUnderTest::PluginUnderTest(const std::string& path) : library(path) {
  if (!library.Loaded()) throw std::runtime_error(library.Error());
  Resolve(library, "AddData0", &AddData0);
  Resolve(library, "RemoveData0", &RemoveData0);
  Resolve(library, "ResetStats0", &ResetStats0);
  Resolve(library, "CheckCall0", &CheckCall0);
  Resolve(library, "GetExchgCount0", &GetExchgCount0);
  Resolve(library, "IsValidExchg0", &IsValidExchg0);
  Resolve(library, "GetNumberOfSets", &GetNumberOfSets);
  Resolve(library, "GetSetName", &GetSetName);
  Resolve(library, "SetupSet0", &SetupSet0);
  Resolve(library, "GetResult0", &GetResult0);
}

}  // namespace testing_support

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PATH-OF-PLUGIN [gtest options]\n", argv[0]);
    return 2;
  }
  testing_support::PluginUnderTest::SetPath(argv[1]);
  try {
    testing_support::PluginUnderTest::Get();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot load the plug-in: %s\n", e.what());
    return 2;
  }
  return RUN_ALL_TESTS();
}
