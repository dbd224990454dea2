#pragma once

#include <cstdint>
#include <string>

#include "tests/plugin_under_test.h"

namespace testing_support {

// Calls the plug-in's exports as a host would, with junk in every ignored
// position: pointers that crash if dereferenced, odd integers and NaNs.
struct QsoCall {
  const char* ownCall = "UT1AA";
  const char* call = "UR5AA";
  StatsDateTime time{46375.5, 0};
  bool nullTime = false;
  uint32_t freqHz = 14025000;
  const char* mode = "CW";
  const char* rstSent = "599";
  const char* rstRcvd = "579";
  const char* exchSent = "001AB";
  const char* exchRcvd = "015CD";
  const char* multCode = "CD";
  const char* group = "G1";
  const char* band = "20m";
};

int32_t Reset(PluginUnderTest& p, int32_t cabrilloFlag, const char* ownCall, StatsDateTime start,
              const char* ownMultCode, const char* ownGroupCode);
int32_t Add(PluginUnderTest& p, const QsoCall& q);
int32_t Remove(PluginUnderTest& p, const QsoCall& q);
int32_t Check(PluginUnderTest& p, const char* call, const char* mode, const char* multCode,
              const char* band);
int32_t ValidExchange(PluginUnderTest& p, const char* exchange, int32_t field);

}  // namespace testing_support
