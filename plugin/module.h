#pragma once

#include <cstdint>
#include <string>

#include "cabrillo/cabrillo_log.h"
#include "platform/framework/cwinapp.h"
#include "platform/plugin/plugin_services.h"
#include "stats/band_list.h"
#include "stats/contest.h"
#include "stats/error_report.h"
#include "stats/store/qso_store.h"

namespace plugin {

// The module's application object: it holds the operating system's
// services, the plug-in's one way to the platform.
class CTestApp : public platform::CWinApp {
 public:
  CTestApp() : platform::CWinApp(nullptr), m_services(platform::SystemPluginServices()) {}
  ~CTestApp() override = default;

  const platform::PluginServices m_services;
};

// Module-wide state, created at load in the order declared here and
// destroyed in reverse order at unload.
extern CTestApp theApp;
extern cabrillo::CCabrilloLog g_cabrilloLog;
extern stats::QsoStore g_qsoStore;
extern stats::BandList g_bandList;
extern std::string g_ownGroupCode;
extern std::string g_ownMultCode;
extern std::string g_resultsText;
// The error report, written through theApp's services.
extern stats::ErrorReport g_errorReport;

// Module-wide integers: 0 from load, no construction.
extern int32_t g_startHour;
extern int32_t g_lastTour;
extern int32_t g_cabrilloFlag;
extern int32_t g_claimedScore;

// The contest state above, by reference.
extern stats::Contest g_contest;

}  // namespace plugin
