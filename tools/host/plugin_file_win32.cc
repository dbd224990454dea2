#include "tools/host/plugin_exports.h"

namespace tools {

const char kPluginFileName[] = "Stats.dll";
// Stats.def gives every export its decorated name too.
const bool kDecoratedNamesExist = true;

}  // namespace tools
