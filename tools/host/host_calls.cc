#include "tools/host/host_calls.h"

#include <cmath>

namespace tools {
namespace {

// The values of the ignored positions, by type of argument.
struct Ignored {
  const char* text;
  const StatsDateTime* time;
  char* out;
  uint32_t u32;
  int32_t i32;
  double real;

  const char* operator()(ArgKind<const char*>) const { return text; }
  const StatsDateTime* operator()(ArgKind<const StatsDateTime*>) const { return time; }
  char* operator()(ArgKind<char*>) const { return out; }
  uint32_t operator()(ArgKind<uint32_t>) const { return u32; }
  int32_t operator()(ArgKind<int32_t>) const { return i32; }
  double operator()(ArgKind<double>) const { return real; }
};

// Addresses in the first page, which no process maps: reading through them
// faults at once.
const Ignored kJunk = {reinterpret_cast<const char*>(uintptr_t{0x10}),
                       reinterpret_cast<const StatsDateTime*>(uintptr_t{0x20}),
                       reinterpret_cast<char*>(uintptr_t{0x30}),
                       0xDEADBEEF,
                       -7,
                       std::nan("")};
const Ignored kZero = {nullptr, nullptr, nullptr, 0, 0, 0.0};

}  // namespace

HostCalls::HostCalls(const PluginExports& exports, IgnoredArgs ignored)
    : m_exports(exports), m_junk(ignored == IgnoredArgs::kJunk) {}

int32_t HostCalls::Reset(const ResetCallArgs& reset) const {
  return CallReset(m_exports.ResetStats0, reset, m_junk ? kJunk : kZero, m_junk);
}

int32_t HostCalls::Add(const QsoCallArgs& qso) const {
  return CallWithQso(m_exports.AddData0, qso, m_junk ? kJunk : kZero, false);
}

int32_t HostCalls::Remove(const QsoCallArgs& qso) const {
  return CallWithQso(m_exports.RemoveData0, qso, m_junk ? kJunk : kZero, m_junk);
}

int32_t HostCalls::Check(const CheckCallArgs& probe) const {
  return CallCheck(m_exports.CheckCall0, probe, m_junk ? kJunk : kZero, m_junk);
}

int32_t HostCalls::ExchangeCount() const {
  const Ignored& x = m_junk ? kJunk : kZero;
  return m_exports.GetExchgCount0(x.text, x.text, x.text);
}

int32_t HostCalls::IsValidExchange(const char* exchange, int32_t field) const {
  const Ignored& x = m_junk ? kJunk : kZero;
  return m_exports.IsValidExchg0(exchange, x.text, x.text, x.text, x.i32, x.i32, field);
}

}  // namespace tools
