#pragma once

#include <string>

#include "tools/host/host_calls.h"
#include "tools/host/plugin_exports.h"

namespace testing_support {

// The built plug-in, loaded by path once per test program, with its exports
// resolved by their plain names, and calls that put junk in every position
// the plug-in must not read.
struct PluginUnderTest : tools::PluginExports {
  static PluginUnderTest& Get();  // fails the program when it cannot load
  static void SetPath(const std::string& path);

  explicit PluginUnderTest(const std::string& path);

  tools::HostCalls calls{*this, tools::IgnoredArgs::kJunk};
};

}  // namespace testing_support
