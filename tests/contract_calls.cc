#include "tests/contract_calls.h"

#include "tests/sample_qso.h"

namespace testing_support {

QsoCallArgs SampleQso() {
  struct ArgOf {
    const char* operator()(const char* text) const { return text; }
    tools::DateTimeArg operator()(double time) const {
      return StatsDateTime{time, kStatsDateValid};
    }
    uint32_t operator()(uint32_t value) const { return value; }
  };
  QsoCallArgs q;
  stats::ConvertQso(kSampleQso, &q, ArgOf{});
  return q;
}

int32_t Reset(PluginUnderTest& p, int32_t cabrilloFlag, const char* ownCall, StatsDateTime start,
              const char* ownMultCode, const char* ownGroupCode) {
  return p.calls.Reset(
      tools::ResetCallArgs{cabrilloFlag, ownCall, start, ownMultCode, ownGroupCode});
}

int32_t Add(PluginUnderTest& p, const QsoCallArgs& q) { return p.calls.Add(q); }

int32_t Remove(PluginUnderTest& p, const QsoCallArgs& q) { return p.calls.Remove(q); }

int32_t Check(PluginUnderTest& p, const char* call, const char* mode, const char* multCode,
              const char* band) {
  return p.calls.Check(tools::CheckCallArgs{call, mode, multCode, nullptr, band});
}

int32_t ValidExchange(PluginUnderTest& p, const char* exchange, int32_t field) {
  return p.calls.IsValidExchange(exchange, field);
}

}  // namespace testing_support
