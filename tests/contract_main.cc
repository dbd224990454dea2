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

PluginUnderTest::PluginUnderTest(const std::string& path) : tools::PluginExports(path) {
  if (!Loaded()) throw std::runtime_error(Error());
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
