#include "tests/host_calls.h"

#include <cmath>
#include <cstdint>

namespace testing_support {
namespace {

// Never dereferenced by a correct plug-in: reading through it faults.
const char* const J = reinterpret_cast<const char*>(uintptr_t{0x10});
const StatsDateTime* const JD = reinterpret_cast<const StatsDateTime*>(uintptr_t{0x20});
char* const JW = reinterpret_cast<char*>(uintptr_t{0x30});
const double N = std::nan("");

}  // namespace

int32_t Reset(PluginUnderTest& p, int32_t cabrilloFlag, const char* ownCall,
              StatsDateTime start, const char* ownMultCode, const char* ownGroupCode) {
  return p.ResetStats0(J, cabrilloFlag, cabrilloFlag != 0 ? ownCall : J, &start, JD,
                       J, J, J, J, J, J, J, J, J, ownMultCode, -7, 77, 1 << 30, N, -N,
                       J, ownGroupCode, J);
}

int32_t Add(PluginUnderTest& p, const QsoCall& q) {
  return p.AddData0(q.ownCall, q.call, q.nullTime ? nullptr : &q.time, JD, JD, JD,
                    0xDEADBEEF, q.freqHz, q.mode, q.rstSent, q.rstRcvd, q.exchSent,
                    q.exchRcvd, J, J, J, J, J, J, J, J, J, q.multCode, -1, 0x7FFFFFFF,
                    3, N, 1e308, J, q.group, J, q.band, J);
}

int32_t Remove(PluginUnderTest& p, const QsoCall& q) {
  return p.RemoveData0(J, q.call, JD, JD, JD, JD, 1, 2, q.mode, J, J, q.exchSent,
                       q.exchRcvd, J, J, J, J, J, J, J, J, J, J, 5, 6, 7, N, N, J, J,
                       J, q.band, J);
}

int32_t Check(PluginUnderTest& p, const char* call, const char* mode,
              const char* multCode, const char* band) {
  return p.CheckCall0(call, 11, 12, mode, J, J, J, J, J, J, J, J, J, multCode, 1, 2,
                      3, N, N, J, J, J, J, J, band, J, JW, JW);
}

int32_t ValidExchange(PluginUnderTest& p, const char* exchange, int32_t field) {
  return p.IsValidExchg0(exchange, J, J, J, -5, 99, field);
}

}  // namespace testing_support
