// The exported entry points. Each converts the host's arguments (null texts
// to empty ones, a null date-time pointer to a null date-time) and forwards
// to the code of its subject.

#include <string>
#include <string_view>
#include <type_traits>

#include "cabrillo/cabrillo_export.h"
#include "platform/cdialog.h"
#include "platform/clock.h"
#include "platform/file_version.h"
#include "platform/file_writer.h"
#include "platform/message_box.h"
#include "platform/settings_file.h"
#include "plugin/module.h"
#include "plugin/stats_api.h"
#include "plugin/version.h"
#include "stats/call_check.h"
#include "stats/contest_facts.h"
#include "stats/error_report.h"
#include "stats/ingest.h"
#include "stats/scoring.h"

using cabrillo::RunCabrilloPass;
using platform::COleDateTime;
using plugin::g_cabrilloFlag;
using plugin::g_cabrilloLog;
using plugin::g_claimedScore;
using plugin::g_contest;
using plugin::g_qsoStore;
using plugin::g_resultsText;
using stats::AddQso;
using stats::CallProbe;
using stats::CheckCall;
using stats::ComputeResults;
using stats::ErrorReport;
using stats::IsValidExchange;
using stats::QsoInput;
using stats::RemoveQso;
using stats::ResetContest;
using stats::ResetInput;

#ifndef STATS_EXPORT
#define STATS_EXPORT
#endif

namespace {

const char* const kSetName = stats::kContestName;
const char kNoSetName[] = "";
const char kCredit[] = "Stats plug-in " STATS_VERSION_TEXT " for the " STATS_CONTEST_NAME;
// The score the host receives after a Cabrillo pass instead of the total:
// the host takes it as "results written to the log file".
constexpr int32_t kScoreAfterCabrilloPass = -1;

std::string TextOf(Text text) { return text != nullptr ? text : ""; }
std::string_view ViewOf(Text text) { return text != nullptr ? text : std::string_view(); }

COleDateTime DateOf(DateTime time) {
  if (time == nullptr) return COleDateTime(0.0, COleDateTime::null);
  return COleDateTime(time->value, time->status);
}

const ErrorReport& Report() {
  static const ErrorReport report("err.txt");
  return report;
}

QsoInput QsoOf(Text ownCall, Text call, DateTime time, uint32_t freqHz, Text mode, Text rstSent,
               Text rstRcvd, Text exchSent, Text exchRcvd, Text multCode, Text group, Text band) {
  QsoInput q;
  q.ownCall = ViewOf(ownCall);
  q.call = ViewOf(call);
  q.time = DateOf(time);
  q.freqHz = freqHz;
  q.mode = ViewOf(mode);
  q.rstSent = ViewOf(rstSent);
  q.rstRcvd = ViewOf(rstRcvd);
  q.exchSent = ViewOf(exchSent);
  q.exchRcvd = ViewOf(exchRcvd);
  q.multCode = ViewOf(multCode);
  q.group = ViewOf(group);
  q.band = ViewOf(band);
  return q;
}

}  // namespace

extern "C" {

STATS_EXPORT int32_t STATS_CALL GetNumberOfSets(void) { return 1; }

STATS_EXPORT const char* STATS_CALL GetSetName(int32_t index) {
  return index == 0 ? kSetName : kNoSetName;
}

STATS_EXPORT void STATS_CALL SetupSet0(void) {
  platform::SystemMessageBox().Show(platform::MessageBoxService::kNoOwner,
                                    "No additional setup for this contest", nullptr,
                                    platform::MessageBoxService::kOk);
}

STATS_EXPORT int32_t STATS_CALL ResetStats0(Text, int32_t cabrilloFlag, Text ownCall,
                                            DateTime start, DateTime, Text, Text, Text, Text, Text,
                                            Text, Text, Text, Text, Text ownMultCode, int32_t,
                                            int32_t, int32_t, double, double, Text,
                                            Text ownGroupCode, Text) {
  ResetInput input;
  input.cabrilloFlag = cabrilloFlag;
  input.start = DateOf(start);
  input.ownMultCode = TextOf(ownMultCode);
  input.ownGroupCode = TextOf(ownGroupCode);
  ResetContest(g_contest, input, Report());
  if (g_cabrilloFlag != 0) {
    g_cabrilloLog.EditHeader(TextOf(ownCall), platform::SystemSettingsFile(),
                             platform::SystemDialogRunner());
  }
  return 1;
}

STATS_EXPORT int32_t STATS_CALL AddData0(Text ownCall, Text call, DateTime time, DateTime, DateTime,
                                         DateTime, uint32_t, uint32_t freqHz, Text mode,
                                         Text rstSent, Text rstRcvd, Text exchSent, Text exchRcvd,
                                         Text, Text, Text, Text, Text, Text, Text, Text, Text,
                                         Text multCode, int32_t, int32_t, int32_t, double, double,
                                         Text, Text group, Text, Text band, Text) {
  return AddQso(g_contest,
                QsoOf(ownCall, call, time, freqHz, mode, rstSent, rstRcvd, exchSent, exchRcvd,
                      multCode, group, band),
                Report());
}

STATS_EXPORT int32_t STATS_CALL RemoveData0(Text, Text call, DateTime, DateTime, DateTime, DateTime,
                                            uint32_t, uint32_t, Text mode, Text, Text,
                                            Text exchSent, Text exchRcvd, Text, Text, Text, Text,
                                            Text, Text, Text, Text, Text, Text, int32_t, int32_t,
                                            int32_t, double, double, Text, Text, Text, Text band,
                                            Text) {
  return RemoveQso(g_contest, QsoOf(nullptr, call, nullptr, 0, mode, nullptr, nullptr, exchSent,
                                    exchRcvd, nullptr, nullptr, band));
}

STATS_EXPORT int32_t STATS_CALL CheckCall0(Text call, uint32_t, uint32_t, Text mode, Text, Text,
                                           Text, Text, Text, Text, Text, Text, Text, Text multCode,
                                           int32_t, int32_t, int32_t, double, double, Text, Text,
                                           Text, Text, Text, Text band, Text, char*, char*) {
  CallProbe probe{TextOf(call), TextOf(mode), TextOf(multCode), TextOf(band)};
  return CheckCall(g_contest, probe, platform::SystemClock().NowUtc());
}

STATS_EXPORT int32_t STATS_CALL GetExchgCount0(Text, Text, Text) { return 1; }

STATS_EXPORT int32_t STATS_CALL IsValidExchg0(Text exchange, Text, Text, Text, int32_t, int32_t,
                                              int32_t field) {
  return IsValidExchange(TextOf(exchange), field);
}

STATS_EXPORT const char* STATS_CALL GetResult0(int32_t* score) {
  const int32_t total =
      ComputeResults(g_contest, kCredit, platform::SystemSettingsFile(), &g_resultsText);
  g_claimedScore = total;
  if (score != nullptr) *score = total;
  if (g_cabrilloFlag != 0) {
    RunCabrilloPass(g_cabrilloLog, g_qsoStore, g_claimedScore, platform::SystemFileVersion(),
                    platform::SystemFileWriter(), platform::SystemMessageBox());
    if (score != nullptr) *score = kScoreAfterCabrilloPass;
  }
  return g_resultsText.c_str();
}

}  // extern "C"

static_assert(std::is_same<decltype(AddData0), AddData0Fn>::value, "AddData0");
static_assert(std::is_same<decltype(RemoveData0), RemoveData0Fn>::value, "RemoveData0");
static_assert(std::is_same<decltype(ResetStats0), ResetStats0Fn>::value, "ResetStats0");
static_assert(std::is_same<decltype(CheckCall0), CheckCall0Fn>::value, "CheckCall0");
static_assert(std::is_same<decltype(GetExchgCount0), GetExchgCount0Fn>::value, "GetExchgCount0");
static_assert(std::is_same<decltype(IsValidExchg0), IsValidExchg0Fn>::value, "IsValidExchg0");
static_assert(std::is_same<decltype(GetNumberOfSets), GetNumberOfSetsFn>::value, "GetNumberOfSets");
static_assert(std::is_same<decltype(GetSetName), GetSetNameFn>::value, "GetSetName");
static_assert(std::is_same<decltype(SetupSet0), SetupSet0Fn>::value, "SetupSet0");
static_assert(std::is_same<decltype(GetResult0), GetResult0Fn>::value, "GetResult0");
