#pragma once

// The host's calls of the plug-in's exports with their full argument lists,
// written out once for the host stand-in, the benchmarks and the tests. Texts
// are borrowed for the call only; a null text or date-time pointer is passed
// on as such.

#include <cstdint>

#include "tools/host/plugin_exports.h"

namespace tools {

// What the argument positions get that the plug-in never reads.
enum class IgnoredArgs {
  kZero,  // null pointers and zeros, as a host may pass them
  kJunk,  // pointers that fault when read, odd integers and NaNs: shows that
          // nothing reads them
};

// The arguments of ResetStats0 that the plug-in reads. The own call is read
// only with the Cabrillo flag set.
struct ResetCallArgs {
  int32_t cabrilloFlag = 0;
  const char* ownCall = nullptr;
  const StatsDateTime* start = nullptr;
  const char* ownMultCode = nullptr;
  const char* ownGroupCode = nullptr;
};

// One QSO as AddData0 and RemoveData0 take it. RemoveData0 reads only the
// call, mode, the two exchanges and band.
struct QsoCallArgs {
  const char* ownCall = nullptr;
  const char* call = nullptr;
  const StatsDateTime* time = nullptr;
  uint32_t freqHz = 0;
  const char* mode = nullptr;
  const char* rstSent = nullptr;
  const char* rstRcvd = nullptr;
  const char* exchSent = nullptr;
  const char* exchRcvd = nullptr;
  const char* multCode = nullptr;
  const char* group = nullptr;
  const char* band = nullptr;
};

// What CheckCall0 takes of the QSO being typed. The group is passed as the
// host does, though the plug-in does not read it.
struct CheckCallArgs {
  const char* call = nullptr;
  const char* mode = nullptr;
  const char* multCode = nullptr;
  const char* group = nullptr;
  const char* band = nullptr;
};

class HostCalls {
 public:
  // `exports` must outlive this object.
  HostCalls(const PluginExports& exports, IgnoredArgs ignored);

  int32_t Reset(const ResetCallArgs& reset) const;
  int32_t Add(const QsoCallArgs& qso) const;
  int32_t Remove(const QsoCallArgs& qso) const;
  int32_t Check(const CheckCallArgs& probe) const;
  int32_t ExchangeCount() const;
  int32_t IsValidExchange(const char* exchange, int32_t field) const;

 private:
  const PluginExports& m_exports;
  const bool m_junk;
};

}  // namespace tools
