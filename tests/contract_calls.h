#pragma once

#include <cstdint>
#include <string>

#include "tests/plugin_under_test.h"
#include "tools/host/export_args.h"

namespace testing_support {

using tools::QsoCallArgs;

// kSampleQso of tests/sample_qso.h.
QsoCallArgs SampleQso();

// Calls the plug-in's exports as a host would, with junk in every ignored
// position: pointers that crash if dereferenced, odd integers and NaNs.
int32_t Reset(PluginUnderTest& p, int32_t cabrilloFlag, const char* ownCall, StatsDateTime start,
              const char* ownMultCode, const char* ownGroupCode);
int32_t Add(PluginUnderTest& p, const QsoCallArgs& q);
int32_t Remove(PluginUnderTest& p, const QsoCallArgs& q);
int32_t Check(PluginUnderTest& p, const char* call, const char* mode, const char* multCode,
              const char* band);
int32_t ValidExchange(PluginUnderTest& p, const char* exchange, int32_t field);

}  // namespace testing_support
