#include "tools/host/host_calls.h"

#include <cmath>

namespace tools {
namespace {

// The values of the ignored positions, by kind of argument.
struct Ignored {
  const char* text;
  const StatsDateTime* time;
  char* out;
  uint32_t u32;
  int32_t i32;
  double real;
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

// AddData0 and RemoveData0 take the same 33 arguments. With `unread` the
// positions of the QSO that RemoveData0 does not read get the ignored values.
int32_t OfferQso(AddData0Fn* fn, const QsoCallArgs& q, const Ignored& x, bool unread) {
  const auto text = [&](const char* value) { return unread ? x.text : value; };
  return fn(text(q.ownCall), q.call, unread ? x.time : q.time, x.time, x.time, x.time, x.u32,
            unread ? x.u32 : q.freqHz, q.mode, text(q.rstSent), text(q.rstRcvd), q.exchSent,
            q.exchRcvd, x.text, x.text, x.text, x.text, x.text, x.text, x.text, x.text, x.text,
            text(q.multCode), x.i32, x.i32, x.i32, x.real, x.real, x.text, text(q.group), x.text,
            q.band, x.text);
}

}  // namespace

HostCalls::HostCalls(const PluginExports& exports, IgnoredArgs ignored)
    : m_exports(exports), m_junk(ignored == IgnoredArgs::kJunk) {}

int32_t HostCalls::Reset(const ResetCallArgs& reset) const {
  const Ignored& x = m_junk ? kJunk : kZero;
  const char* ownCall = reset.cabrilloFlag != 0 || !m_junk ? reset.ownCall : x.text;
  return m_exports.ResetStats0(x.text, reset.cabrilloFlag, ownCall, reset.start, x.time, x.text,
                               x.text, x.text, x.text, x.text, x.text, x.text, x.text, x.text,
                               reset.ownMultCode, x.i32, x.i32, x.i32, x.real, x.real, x.text,
                               reset.ownGroupCode, x.text);
}

int32_t HostCalls::Add(const QsoCallArgs& qso) const {
  return OfferQso(m_exports.AddData0, qso, m_junk ? kJunk : kZero, false);
}

int32_t HostCalls::Remove(const QsoCallArgs& qso) const {
  return OfferQso(m_exports.RemoveData0, qso, m_junk ? kJunk : kZero, m_junk);
}

int32_t HostCalls::Check(const CheckCallArgs& probe) const {
  const Ignored& x = m_junk ? kJunk : kZero;
  return m_exports.CheckCall0(probe.call, x.u32, x.u32, probe.mode, x.text, x.text, x.text, x.text,
                              x.text, x.text, x.text, x.text, x.text, probe.multCode, x.i32, x.i32,
                              x.i32, x.real, x.real, x.text, m_junk ? x.text : probe.group, x.text,
                              x.text, x.text, probe.band, x.text, x.out, x.out);
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
