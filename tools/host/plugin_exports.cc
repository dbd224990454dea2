#include "tools/host/plugin_exports.h"

namespace tools {

PluginExports::PluginExports(const std::string& path, ExportNames names) : m_library(path) {
  if (!m_library.Loaded()) {
    m_error = "cannot load plug-in: " + m_library.Error();
    return;
  }
  // Stops at the first missing export, so that the message names that one.
#define STATS_EXPORT_ENTRY(type, name, decorated, ordinal, plainOrdinal)           \
  if (m_error.empty()) {                                                           \
    const char* symbol = names == ExportNames::kPlain ? #name : decorated;         \
    name = reinterpret_cast<type*>(m_library.Symbol(symbol));                      \
    if (name == nullptr) m_error = "plug-in " + path + " has no export " + symbol; \
  }
#include "plugin/stats_exports.def"
}

}  // namespace tools
