#pragma once

#include <cstdint>
#include <string>

#include "bench/contest_log.h"
#include "platform/dynamic_library.h"
#include "plugin/stats_api.h"

namespace bench {

// The plug-in loaded by path as the host loads it, with the exports that
// the benchmarks call. Ignored argument positions get null pointers and
// zeros, as a host may pass them.
class PluginExports {
 public:
  explicit PluginExports(const std::string& path);

  // False when the library or one of its exports is missing; Error() says
  // which.
  bool Loaded() const { return m_error.empty(); }
  const std::string& Error() const { return m_error; }

  // ResetStats0 without Cabrillo output, for the contest of `log`.
  int32_t Reset(const ContestLogOptions& log, const char* ownGroupCode) const;
  int32_t Add(const std::string& ownCall, const LoggedQso& qso) const;
  int32_t Remove(const LoggedQso& qso) const;
  int32_t Check(const char* call, const char* mode, const char* multCode,
                const char* band) const;
  const char* Result(int32_t* score) const { return m_result(score); }

 private:
  platform::DynamicLibrary m_library;
  std::string m_error;
  ResetStats0Fn* m_reset = nullptr;
  AddData0Fn* m_add = nullptr;
  RemoveData0Fn* m_remove = nullptr;
  CheckCall0Fn* m_check = nullptr;
  GetResult0Fn* m_result = nullptr;
};

// The plug-in to measure: the path in the environment variable
// STATS_PLUGIN when it is set, else the one this build made.
std::string PluginPath();

}  // namespace bench
