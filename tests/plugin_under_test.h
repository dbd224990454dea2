#pragma once

#include <string>

#include "platform/dynamic_library.h"
#include "plugin/stats_api.h"

namespace testing_support {

// The built plug-in, loaded by path once per test program, with its exports
// resolved by their plain names.
struct PluginUnderTest {
  static PluginUnderTest& Get();  // fails the program when it cannot load
  static void SetPath(const std::string& path);

  explicit PluginUnderTest(const std::string& path);

  platform::DynamicLibrary library;
  AddData0Fn* AddData0 = nullptr;
  RemoveData0Fn* RemoveData0 = nullptr;
  ResetStats0Fn* ResetStats0 = nullptr;
  CheckCall0Fn* CheckCall0 = nullptr;
  GetExchgCount0Fn* GetExchgCount0 = nullptr;
  IsValidExchg0Fn* IsValidExchg0 = nullptr;
  GetNumberOfSetsFn* GetNumberOfSets = nullptr;
  GetSetNameFn* GetSetName = nullptr;
  SetupSet0Fn* SetupSet0 = nullptr;
  GetResult0Fn* GetResult0 = nullptr;
};

}  // namespace testing_support
