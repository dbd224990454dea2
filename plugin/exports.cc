// The exported entry points. Each converts the host's arguments (null texts
// to empty ones, a null date-time pointer to a null date-time) and forwards
// to the code of its subject.

#include <string>
#include <string_view>
#include <tuple>

#include "cabrillo/cabrillo_export.h"
#include "platform/plugin/plugin_services.h"
#include "plugin/module.h"
#include "plugin/stats_exports.h"
#include "plugin/version.h"
#include "stats/call_check.h"
#include "stats/contest_facts.h"
#include "stats/ingest.h"
#include "stats/qso_fields.h"
#include "stats/scoring.h"

using cabrillo::RunCabrilloPass;
using platform::COleDateTime;
using plugin::g_cabrilloFlag;
using plugin::g_cabrilloLog;
using plugin::g_claimedScore;
using plugin::g_contest;
using plugin::g_errorReport;
using plugin::g_qsoStore;
using plugin::g_resultsText;
using plugin::theApp;
using stats::AddQso;
using stats::CallProbe;
using stats::CheckCall;
using stats::ComputeResults;
using stats::HostCall;
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

// The values of the arguments that are read: a null text reads as empty, a
// null date-time pointer as a null date-time.
std::string_view ValueOf(Text text) { return text != nullptr ? text : std::string_view(); }
COleDateTime ValueOf(DateTime time) {
  if (time == nullptr) return COleDateTime(0.0, COleDateTime::null);
  return COleDateTime(time->value, time->status);
}
uint32_t ValueOf(uint32_t value) { return value; }
int32_t ValueOf(int32_t value) { return value; }

// The Cabrillo flag that kWithFlag values wait for: a reset's own.
int32_t CabrilloFlagOf(const ResetInput& input) { return input.cabrilloFlag; }
template <typename Fields>
int32_t CabrilloFlagOf(const Fields&) {
  return 0;
}

// TakeQso<kCall>(args, &fields) and the like set the fields of a list of
// stats/host_fields.def that `kCall` reads, each from the argument at its
// number; `args` holds all of the export's arguments. One instance per
// export, so that each is inlined into its export and `args` stays in
// registers. The Cabrillo flag is taken before the values that wait for
// it. `Fields` is a parameter so that a member that no call reads (the
// probe's group) need not exist.
constexpr int32_t kFlagSet = 1;
#define PLUGIN_TAKE_FIELD(name, kind, argument, reads, ...)               \
  if constexpr (stats::CallReads(kCall, stats::reads, kFlagSet)) {        \
    if (stats::CallReads(kCall, stats::reads, CabrilloFlagOf(*fields))) { \
      fields->name = ValueOf(std::get<argument - 1>(args));               \
    }                                                                     \
  }
template <HostCall kCall, typename Args, typename Fields>
void TakeQso(const Args& args, Fields* fields) {
#define STATS_QSO_FIELD PLUGIN_TAKE_FIELD
#include "stats/host_fields.def"
}
template <HostCall kCall, typename Args, typename Fields>
void TakeProbe(const Args& args, Fields* fields) {
#define STATS_PROBE_FIELD PLUGIN_TAKE_FIELD
#include "stats/host_fields.def"
}
template <HostCall kCall, typename Args, typename Fields>
void TakeReset(const Args& args, Fields* fields) {
#define STATS_RESET_FIELD PLUGIN_TAKE_FIELD
#include "stats/host_fields.def"
}
#undef PLUGIN_TAKE_FIELD

// The 33 arguments of AddData0 and RemoveData0, by number.
#define PLUGIN_QSO_PARAMETERS                                                                     \
  Text a1, Text a2, DateTime a3, DateTime a4, DateTime a5, DateTime a6, uint32_t a7, uint32_t a8, \
      Text a9, Text a10, Text a11, Text a12, Text a13, Text a14, Text a15, Text a16, Text a17,    \
      Text a18, Text a19, Text a20, Text a21, Text a22, Text a23, int32_t a24, int32_t a25,       \
      int32_t a26, double a27, double a28, Text a29, Text a30, Text a31, Text a32, Text a33
#define PLUGIN_QSO_ARGUMENTS                                                                      \
  a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18, a19, a20, a21, \
      a22, a23, a24, a25, a26, a27, a28, a29, a30, a31, a32, a33

}  // namespace

extern "C" {

#define STATS_EXPORT_ENTRY STATS_DECLARE_EXPORT
#include "plugin/stats_exports.def"

STATS_EXPORT int32_t STATS_CALL GetNumberOfSets(void) { return 1; }

STATS_EXPORT const char* STATS_CALL GetSetName(int32_t index) {
  return index == 0 ? kSetName : kNoSetName;
}

STATS_EXPORT void STATS_CALL SetupSet0(void) {
  theApp.m_services.notices.Show(platform::MessageBoxService::kNoOwner,
                                 "No additional setup for this contest", nullptr,
                                 platform::MessageBoxService::kOk);
}

// The exports that take the host's long argument lists name their
// arguments by number: the lists of stats/host_fields.def say which are read.

STATS_EXPORT int32_t STATS_CALL ResetStats0(Text a1, int32_t a2, Text a3, DateTime a4, DateTime a5,
                                            Text a6, Text a7, Text a8, Text a9, Text a10, Text a11,
                                            Text a12, Text a13, Text a14, Text a15, int32_t a16,
                                            int32_t a17, int32_t a18, double a19, double a20,
                                            Text a21, Text a22, Text a23) {
  ResetInput input;
  TakeReset<HostCall::kResetStats>(
      std::forward_as_tuple(a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16,
                            a17, a18, a19, a20, a21, a22, a23),
      &input);
  ResetContest(g_contest, input, g_errorReport);
  if (g_cabrilloFlag != 0) {
    g_cabrilloLog.EditHeader(input.ownCall, theApp.m_services.settings, theApp.m_services.dialogs);
  }
  return 1;
}

STATS_EXPORT int32_t STATS_CALL AddData0(PLUGIN_QSO_PARAMETERS) {
  QsoInput qso;
  TakeQso<HostCall::kAddData>(std::forward_as_tuple(PLUGIN_QSO_ARGUMENTS), &qso);
  return AddQso(g_contest, qso, g_errorReport);
}

// Only the fields that RemoveData0 reads are set.
STATS_EXPORT int32_t STATS_CALL RemoveData0(PLUGIN_QSO_PARAMETERS) {
  QsoInput qso;
  TakeQso<HostCall::kRemoveData>(std::forward_as_tuple(PLUGIN_QSO_ARGUMENTS), &qso);
  return RemoveQso(g_contest, qso);
}

STATS_EXPORT int32_t STATS_CALL CheckCall0(Text a1, uint32_t a2, uint32_t a3, Text a4, Text a5,
                                           Text a6, Text a7, Text a8, Text a9, Text a10, Text a11,
                                           Text a12, Text a13, Text a14, int32_t a15, int32_t a16,
                                           int32_t a17, double a18, double a19, Text a20, Text a21,
                                           Text a22, Text a23, Text a24, Text a25, Text a26,
                                           char* a27, char* a28) {
  CallProbe probe;
  TakeProbe<HostCall::kCheckCall>(
      std::forward_as_tuple(a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16,
                            a17, a18, a19, a20, a21, a22, a23, a24, a25, a26, a27, a28),
      &probe);
  return CheckCall(g_contest, probe, theApp.m_services.clock.NowUtc());
}

STATS_EXPORT int32_t STATS_CALL GetExchgCount0(Text, Text, Text) { return 1; }

STATS_EXPORT int32_t STATS_CALL IsValidExchg0(Text exchange, Text, Text, Text, int32_t, int32_t,
                                              int32_t field) {
  return IsValidExchange(TextOf(exchange), field);
}

STATS_EXPORT const char* STATS_CALL GetResult0(int32_t* score) {
  const platform::PluginServices& services = theApp.m_services;
  const int32_t total = ComputeResults(g_contest, kCredit, services.settings, &g_resultsText);
  g_claimedScore = total;
  if (score != nullptr) *score = total;
  if (g_cabrilloFlag != 0) {
    RunCabrilloPass(g_cabrilloLog, g_qsoStore, g_claimedScore, services.versions, services.files,
                    services.notices);
    if (score != nullptr) *score = kScoreAfterCabrilloPass;
  }
  return g_resultsText.c_str();
}

}  // extern "C"
