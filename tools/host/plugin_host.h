#pragma once

// Stands in for the host logging program: loads the Stats plug-in by path,
// resolves its ten exports by name and calls them with the host's argument
// lists. Every ignored argument position gets a null pointer or a zero.

#include <cstdint>
#include <memory>
#include <string>

#include "tools/adif/adif_qso.h"
#include "tools/host/host_calls.h"
#include "tools/host/plugin_exports.h"

namespace tools {

// What the host hands to ResetStats0.
struct ResetArgs {
  bool cabrillo = false;
  std::string ownCall;
  StatsDateTime start{0.0, 2};  // null until set
  std::string ownMultCode;
  std::string ownGroupCode;
};

// `qso` logged by `ownCall`, as the host passes it: the texts borrowed from
// both, the time a valid date-time.
QsoCallArgs CallArgsOf(const std::string& ownCall, const AdifQso& qso);

class PluginHost {
 public:
  // Loads the library at `path` and resolves all ten exports. On failure
  // returns null and `error` names the library and the system's reason or
  // the missing export.
  static std::unique_ptr<PluginHost> Load(const std::string& path, ExportNames names,
                                          std::string* error);

  const PluginExports& Exports() const { return *m_exports; }
  const HostCalls& Calls() const { return m_calls; }

  int32_t NumberOfSets() const;
  int32_t Reset(const ResetArgs& args) const;
  // Offers `qso` logged by `ownCall`; 1 stored or already stored, 0 refused.
  int32_t Add(const std::string& ownCall, const AdifQso& qso) const;
  // Takes `qso` back; 0 when an exchange is empty, else 1.
  int32_t Remove(const std::string& ownCall, const AdifQso& qso) const;
  // The results text as returned (a null result reads as empty); `score`
  // receives the plug-in's out-integer.
  std::string Result(int32_t* score) const;

 private:
  explicit PluginHost(std::unique_ptr<PluginExports> exports)
      : m_exports(std::move(exports)), m_calls(*m_exports, IgnoredArgs::kZero) {}

  std::unique_ptr<PluginExports> m_exports;
  HostCalls m_calls;
};

}  // namespace tools
