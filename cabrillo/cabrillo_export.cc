#include "cabrillo/cabrillo_export.h"

using stats::CInfo;
using stats::QsoStore;

namespace cabrillo {

const char* CabrilloMode(const std::string& mode) {
  if (mode == "CW") return "CW";
  if (mode == "SSB") return "PH";
  return "??";
}

std::string RunCabrilloPass(CCabrilloLog& log, const QsoStore& store, int32_t claimedScore,
                            platform::FileVersion& versions, platform::FileWriter& files,
                            platform::MessageBoxService& messages) {
  log.m_qsoLines.clear();
  for (std::size_t i = 0; i < store.Count(); ++i) {
    const CInfo& r = store.At(i);
    log.AddQsoLine(r.m_call, r.m_freqKHz, CabrilloMode(r.m_mode), r.m_time, r.m_rstSent,
                   r.m_exchSent, r.m_rstRcvd, r.m_exchRcvd, r.m_points, r.m_multBand, r.m_serial);
  }
  const std::string notice = log.WriteLog(claimedScore, versions, files);
  messages.Show(platform::MessageBoxService::kActiveWindow, notice, "Output",
                platform::MessageBoxService::kOk | platform::MessageBoxService::kIconInformation);
  return notice;
}

}  // namespace cabrillo
