#include "platform/plugin/plugin_services.h"

namespace platform {

PluginServices SystemPluginServices() {
  return {SystemClock(),      SystemDialogRunner(), SystemFileAppender(), SystemFileVersion(),
          SystemFileWriter(), SystemMessageBox(),   SystemSettingsFile()};
}

}  // namespace platform
