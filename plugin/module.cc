#include "plugin/module.h"

#include "stats/contest_facts.h"

using cabrillo::CCabrilloLog;
using stats::BandList;
using stats::Contest;
using stats::QsoStore;

namespace plugin {

// One translation unit defines every module-wide object, so the language
// guarantees their order: construction top to bottom at load, destruction
// bottom to top at unload.
CTestApp theApp;
CCabrilloLog g_cabrilloLog;
QsoStore g_qsoStore;
BandList g_bandList;
std::string g_ownGroupCode;
std::string g_ownMultCode;
std::string g_resultsText;
stats::ErrorReport g_errorReport{stats::kErrorReportPath, theApp.m_services.appender};

int32_t g_startHour;
int32_t g_lastTour;
int32_t g_cabrilloFlag;
int32_t g_claimedScore;

Contest g_contest{g_qsoStore,     g_bandList,    g_startHour,   g_lastTour,
                  g_cabrilloFlag, g_ownMultCode, g_ownGroupCode};

}  // namespace plugin
