#include "tests/contract_calls.h"

namespace testing_support {

QsoCallArgs SampleQso() {
  QsoCallArgs q;
  q.ownCall = "UT1AA";
  q.call = "UR5AA";
  q.time = StatsDateTime{46375.5, kStatsDateValid};
  q.freqHz = 14025000;
  q.mode = "CW";
  q.rstSent = "599";
  q.rstRcvd = "579";
  q.exchSent = "001AB";
  q.exchRcvd = "015CD";
  q.multCode = "CD";
  q.group = "G1";
  q.band = "20m";
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
