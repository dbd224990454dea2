#pragma once

// The host's calls of the plug-in's exports, for the host stand-in, the
// benchmarks and the tests, through the writers of tools/host/export_args.h.
// Texts are borrowed for the call only; a null text or date-time is passed
// on as such.

#include <cstdint>

#include "tools/host/export_args.h"
#include "tools/host/plugin_exports.h"

namespace tools {

// What the argument positions get that the plug-in never reads.
enum class IgnoredArgs {
  kZero,  // null pointers and zeros, as a host may pass them
  kJunk,  // pointers that fault when read, odd integers and NaNs: shows that
          // nothing reads them
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
