#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework/cdialog.h"
#include "platform/plugin/file_version.h"
#include "platform/plugin/file_writer.h"
#include "platform/framework/ole_date_time.h"
#include "platform/plugin/settings_file.h"

namespace cabrillo {

// The Cabrillo 3.0 log: header values, the file's base name and the
// formatted QSO lines. One instance lives for as long as the module.
class CCabrilloLog {
 public:
  // Loads the header values from the settings file, lets the operator edit
  // them in the header dialog and, on OK, saves them back. Returns 1 when
  // the operator confirmed with OK, else 0 (then nothing is saved). Either
  // way the three multi-line values end in header form: every inner line
  // break followed by the value's own tag.
  int EditHeader(const std::string& callsign, platform::SettingsFile& settings,
                 platform::DialogRunner& dialogs);

  // Formats one QSO line with m_callsign as the own call and appends it.
  // `multBand` -1 writes "--" in the multiplier column.
  void AddQsoLine(const std::string& call, int32_t freqKHz, const std::string& mode,
                  const platform::COleDateTime& time, const std::string& rstSent,
                  const std::string& exchSent, const std::string& rstRcvd,
                  const std::string& exchRcvd, int32_t points, int32_t multBand, int32_t serial);

  // The whole log file: header lines, QSO lines, end line.
  std::string LogText(int32_t claimedScore, const std::string& hostVersion) const;

  // Writes the log file m_fileBase + ".cbr" in the current directory,
  // replacing it whole only when the new one is complete. Returns the
  // notice for the operator: "File produced: NAME.cbr", or "File not
  // produced: NAME.cbr" when the file could not be written.
  std::string WriteLog(int32_t claimedScore, platform::FileVersion& versions,
                       platform::FileWriter& files) const;

  std::string m_fileBase;  // base name of the log file
  // The header's values, one member each.
#define CABRILLO_FIELD(id, number, label, labelX, labelWidth, x, y, width, height, member, ...) \
  std::string member;
#include "resources/cabrillo_fields.def"
  std::vector<std::string> m_qsoLines;  // formatted QSO lines, CR LF ended
};

// The version text of the host's executable in the current directory:
// "Tovu2.exe" when it can be opened, else "Tovu3.exe". Major 2 gives
// "major.minor", any other "major.minor.build"; empty when the file has no
// readable version.
std::string HostVersionText(platform::FileVersion& versions);

}  // namespace cabrillo
