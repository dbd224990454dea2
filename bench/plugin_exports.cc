#include "bench/plugin_exports.h"

#include <cstdlib>

namespace bench {
namespace {

template <typename Fn>
void Resolve(const platform::DynamicLibrary& library, const char* name, Fn** fn,
             std::string* error) {
  *fn = reinterpret_cast<Fn*>(library.Symbol(name));
  if (*fn == nullptr && error->empty()) *error = std::string("missing export ") + name;
}

}  // namespace

PluginExports::PluginExports(const std::string& path) : m_library(path) {
  if (!m_library.Loaded()) {
    m_error = path + ": " + m_library.Error();
    return;
  }
  Resolve(m_library, "ResetStats0", &m_reset, &m_error);
  Resolve(m_library, "AddData0", &m_add, &m_error);
  Resolve(m_library, "RemoveData0", &m_remove, &m_error);
  Resolve(m_library, "CheckCall0", &m_check, &m_error);
  Resolve(m_library, "GetResult0", &m_result, &m_error);
}

int32_t PluginExports::Reset(const ContestLogOptions& log, const char* ownGroupCode) const {
  const StatsDateTime when{log.start, 0};
  return m_reset(nullptr, 0, log.ownCall.c_str(), &when, nullptr, nullptr, nullptr, nullptr,
                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, log.ownMultCode.c_str(),
                 0, 0, 0, 0.0, 0.0, nullptr, ownGroupCode, nullptr);
}

int32_t PluginExports::Add(const std::string& ownCall, const LoggedQso& q) const {
  const StatsDateTime when{q.time, 0};
  return m_add(ownCall.c_str(), q.call.c_str(), &when, nullptr, nullptr, nullptr, 0, q.freqHz,
               q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(), q.exchSent.c_str(),
               q.exchRcvd.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
               nullptr, nullptr, nullptr, q.multCode.c_str(), 0, 0, 0, 0.0, 0.0, nullptr,
               q.group.c_str(), nullptr, q.band.c_str(), nullptr);
}

int32_t PluginExports::Remove(const LoggedQso& q) const {
  return m_remove(nullptr, q.call.c_str(), nullptr, nullptr, nullptr, nullptr, 0, 0,
                  q.mode.c_str(), nullptr, nullptr, q.exchSent.c_str(), q.exchRcvd.c_str(),
                  nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                  nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr,
                  q.band.c_str(), nullptr);
}

int32_t PluginExports::Check(const char* call, const char* mode, const char* multCode,
                             const char* band) const {
  return m_check(call, 0, 0, mode, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, nullptr, nullptr, multCode, 0, 0, 0, 0.0, 0.0, nullptr, nullptr,
                 nullptr, nullptr, nullptr, band, nullptr, nullptr, nullptr);
}

std::string PluginPath() {
  const char* chosen = std::getenv("STATS_PLUGIN");
  return chosen != nullptr && *chosen != '\0' ? chosen : STATS_BUILT_PLUGIN;
}

}  // namespace bench
