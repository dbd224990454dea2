#include "tests/contract_calls.h"

namespace testing_support {
namespace {

tools::QsoCallArgs ArgsOf(const QsoCall& q) {
  return tools::QsoCallArgs{q.ownCall,  q.call,     q.nullTime ? nullptr : &q.time,
                            q.freqHz,   q.mode,     q.rstSent,
                            q.rstRcvd,  q.exchSent, q.exchRcvd,
                            q.multCode, q.group,    q.band};
}

}  // namespace

int32_t Reset(PluginUnderTest& p, int32_t cabrilloFlag, const char* ownCall, StatsDateTime start,
              const char* ownMultCode, const char* ownGroupCode) {
  return p.calls.Reset(
      tools::ResetCallArgs{cabrilloFlag, ownCall, &start, ownMultCode, ownGroupCode});
}

int32_t Add(PluginUnderTest& p, const QsoCall& q) { return p.calls.Add(ArgsOf(q)); }

int32_t Remove(PluginUnderTest& p, const QsoCall& q) { return p.calls.Remove(ArgsOf(q)); }

int32_t Check(PluginUnderTest& p, const char* call, const char* mode, const char* multCode,
              const char* band) {
  return p.calls.Check(tools::CheckCallArgs{call, mode, multCode, nullptr, band});
}

int32_t ValidExchange(PluginUnderTest& p, const char* exchange, int32_t field) {
  return p.calls.IsValidExchange(exchange, field);
}

}  // namespace testing_support
