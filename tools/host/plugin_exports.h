#pragma once

// The host's side of the plug-in boundary: the library loaded by path, the
// way the host loads its plug-ins, with its ten exports resolved.

#include <string>

#include "platform/tools/dynamic_library.h"
#include "plugin/stats_exports.h"

namespace tools {

// The file name of the plug-in's library on this system, and whether that
// library carries the decorated names.
extern const char kPluginFileName[];
extern const bool kDecoratedNamesExist;

// Which of the two names of each export is resolved. Only the 32-bit
// Windows library carries the decorated ones.
enum class ExportNames { kPlain, kDecorated };

class PluginExports {
 public:
  // Loads the library at `path` and resolves all ten exports under `names`.
  explicit PluginExports(const std::string& path, ExportNames names = ExportNames::kPlain);
  PluginExports(const PluginExports&) = delete;
  PluginExports& operator=(const PluginExports&) = delete;

  // False when the library did not load or an export is missing; Error()
  // then names the library and the system's reason, or the first export
  // missing.
  bool Loaded() const { return m_error.empty(); }
  const std::string& Error() const { return m_error; }

  const platform::DynamicLibrary& Library() const { return m_library; }

  // The exports by their plain names; none is null once loaded.
#define STATS_EXPORT_ENTRY(type, name, decorated, ordinal, plainOrdinal) type* name = nullptr;
#include "plugin/stats_exports.def"

 private:
  platform::DynamicLibrary m_library;
  std::string m_error;
};

}  // namespace tools
