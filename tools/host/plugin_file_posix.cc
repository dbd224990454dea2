#include "tools/host/plugin_exports.h"

namespace tools {

const char kPluginFileName[] = "libStats.so";
const bool kDecoratedNamesExist = false;

}  // namespace tools
