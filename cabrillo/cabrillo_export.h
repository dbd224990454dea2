#pragma once

#include <cstdint>
#include <string>

#include "cabrillo/cabrillo_log.h"
#include "platform/plugin/file_version.h"
#include "platform/plugin/file_writer.h"
#include "platform/plugin/message_box.h"
#include "stats/store/qso_store.h"

namespace cabrillo {

// The Cabrillo mode of a stored mode: "CW", "PH" for "SSB", else "??".
const char* CabrilloMode(const std::string& mode);

// The Cabrillo pass of a results request: one QSO line per stored record in
// store order, counted or not, then the log file, then the "Output" notice
// owned by the active window. Returns the notice.
std::string RunCabrilloPass(CCabrilloLog& log, const stats::QsoStore& store, int32_t claimedScore,
                            platform::FileVersion& versions, platform::FileWriter& files,
                            platform::MessageBoxService& messages);

}  // namespace cabrillo
