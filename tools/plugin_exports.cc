#include "tools/plugin_exports.h"

namespace tools {

PluginExports::PluginExports(const std::string& path, ExportNames names) : library_(path) {
  if (!library_.Loaded()) {
    error_ = "cannot load plug-in: " + library_.Error();
    return;
  }
  // Stops at the first missing export, so that the message names that one.
#define STATS_EXPORT_RESOLVE(type, name, decorated, ordinal, plainOrdinal)   \
  if (error_.empty()) {                                                      \
    const char* symbol = names == ExportNames::kPlain ? #name : decorated;   \
    name = reinterpret_cast<type*>(library_.Symbol(symbol));                 \
    if (name == nullptr) error_ = "plug-in " + path + " has no export " + symbol; \
  }
  STATS_EXPORTS(STATS_EXPORT_RESOLVE)
#undef STATS_EXPORT_RESOLVE
}

}  // namespace tools
