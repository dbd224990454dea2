#pragma once

#include "platform/framework/cdialog.h"
#include "platform/plugin/clock.h"
#include "platform/plugin/file_appender.h"
#include "platform/plugin/file_version.h"
#include "platform/plugin/file_writer.h"
#include "platform/plugin/message_box.h"
#include "platform/plugin/settings_file.h"

namespace platform {

// The operating system's services that the plug-in uses, one of each. The
// module object holds the set; the exports hand each piece of the core the
// services it takes, by reference.
struct PluginServices {
  Clock& clock;                // the call check's current time
  DialogRunner& dialogs;       // the Cabrillo header dialog
  FileAppender& appender;      // the error report
  FileVersion& versions;       // the host's version for the Cabrillo log
  FileWriter& files;           // the Cabrillo log
  MessageBoxService& notices;  // SetupSet0 and the Cabrillo pass
  SettingsFile& settings;      // the claimed score, the header values
};

// This system's services, each made on first use and kept until the process
// ends.
PluginServices SystemPluginServices();

}  // namespace platform
