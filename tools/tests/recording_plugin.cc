// A stand-in plug-in for testing the host side: it exports the ten plain
// names and answers GetResult0 with a line for every call it received since
// the last reset, showing the arguments the plug-in reads and whether every
// ignored position held a null pointer or a zero. AddData0 accepts the modes
// CW and SSB only; GetResult0's out-integer is the number of QSOs accepted,
// or -1 after a reset with the Cabrillo flag. Like the plug-in, it starts
// err.txt with a header line at reset and adds a line per refused QSO,
// except after a reset with the own call HEADER/ONLY, which leaves err.txt
// short of its refusals; it writes no Cabrillo log.
// Built with RECORDING_PLUGIN_WITHOUT_SETUP it lacks the export SetupSet0.
// The build defines RECORDING_EXPORT as what exports a function from a
// shared library on the system at hand.

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/framework/ole_date_time.h"
#include "plugin/stats_exports.h"
#include "stats/qso_fields.h"

using platform::COleDateTime;

namespace {

std::string g_calls;
int32_t g_accepted = 0;
bool g_cabrillo = false;
bool g_refusalLines = true;

const char kHeaderOnlyCall[] = "HEADER/ONLY";

std::string Quote(const char* text) {
  return text == nullptr ? "(null)" : "\"" + std::string(text) + "\"";
}

std::string Time(DateTime time) {
  if (time == nullptr) return "(null)";
  return COleDateTime(time->value, time->status).Format("%Y-%m-%d %H:%M:%S") + " status " +
         std::to_string(time->status);
}

// "" when every ignored argument was null or zero, else " IGNORED ARGUMENT SET".
template <typename... Args>
std::string Ignored(Args... args) {
  const bool allZero = ((args == Args{}) && ...);
  return allZero ? "" : " IGNORED ARGUMENT SET";
}

void Note(const std::string& line) { g_calls += line + "\r\n"; }

void WriteErrorFile(const char* how, const std::string& line) {
  if (std::FILE* file = std::fopen("err.txt", how)) {
    std::fputs((line + "\n").c_str(), file);
    std::fclose(file);
  }
}

}  // namespace

extern "C" {

#define STATS_EXPORT_ENTRY STATS_DECLARE_EXPORT
#include "plugin/stats_exports.def"

RECORDING_EXPORT int32_t GetNumberOfSets(void) { return 1; }

RECORDING_EXPORT const char* GetSetName(int32_t index) { return index == 0 ? "CQ UT CONTEST" : ""; }

#ifndef RECORDING_PLUGIN_WITHOUT_SETUP
RECORDING_EXPORT void SetupSet0(void) { Note("SetupSet0"); }
#endif

RECORDING_EXPORT int32_t ResetStats0(Text a1, int32_t cabrilloFlag, Text ownCall, DateTime start,
                                     DateTime end, Text a6, Text a7, Text a8, Text a9, Text a10,
                                     Text a11, Text a12, Text a13, Text a14, Text ownMultCode,
                                     int32_t a16, int32_t a17, int32_t a18, double a19, double a20,
                                     Text a21, Text ownGroupCode, Text a23) {
  g_calls.clear();
  g_accepted = 0;
  WriteErrorFile("w", "recording plug-in");
  g_cabrillo = cabrilloFlag != 0;
  g_refusalLines = ownCall == nullptr || std::string(ownCall) != kHeaderOnlyCall;
  Note(
      "ResetStats0 flag " + std::to_string(cabrilloFlag) + ", own call " + Quote(ownCall) +
      ", start " + Time(start) + ", own mult " + Quote(ownMultCode) + ", own group " +
      Quote(ownGroupCode) +
      Ignored(a1, end, a6, a7, a8, a9, a10, a11, a12, a13, a14, a16, a17, a18, a19, a20, a21, a23));
  return 1;
}

static_assert(stats::kQsoFieldCount == 12, "a new field of a QSO needs its line here");

RECORDING_EXPORT int32_t AddData0(Text ownCall, Text call, DateTime time, DateTime a4, DateTime a5,
                                  DateTime a6, uint32_t a7, uint32_t freqHz, Text mode,
                                  Text rstSent, Text rstRcvd, Text exchSent, Text exchRcvd,
                                  Text a14, Text a15, Text a16, Text a17, Text a18, Text a19,
                                  Text a20, Text a21, Text a22, Text multCode, int32_t a24,
                                  int32_t a25, int32_t a26, double a27, double a28, Text a29,
                                  Text group, Text a31, Text band, Text a33) {
  const std::string m = mode == nullptr ? "" : mode;
  const bool accepted = m == "CW" || m == "SSB";
  if (accepted) ++g_accepted;
  Note("AddData0 own " + Quote(ownCall) + ", call " + Quote(call) + ", time " + Time(time) + ", " +
       std::to_string(freqHz) + " Hz, mode " + Quote(mode) + ", reports " + Quote(rstSent) + " " +
       Quote(rstRcvd) + ", exchanges " + Quote(exchSent) + " " + Quote(exchRcvd) + ", mult " +
       Quote(multCode) + ", group " + Quote(group) + ", band " + Quote(band) +
       Ignored(a4, a5, a6, a7, a14, a15, a16, a17, a18, a19, a20, a21, a22, a24, a25, a26, a27, a28,
               a29, a31, a33) +
       (accepted ? "" : " -> refused"));
  if (!accepted && g_refusalLines) WriteErrorFile("a", "refused " + Quote(call));
  return accepted ? 1 : 0;
}

RECORDING_EXPORT int32_t RemoveData0(Text, Text call, DateTime, DateTime, DateTime, DateTime,
                                     uint32_t, uint32_t, Text mode, Text, Text, Text, Text, Text,
                                     Text, Text, Text, Text, Text, Text, Text, Text, Text, int32_t,
                                     int32_t, int32_t, double, double, Text, Text, Text, Text band,
                                     Text) {
  Note("RemoveData0 call " + Quote(call) + ", mode " + Quote(mode) + ", band " + Quote(band));
  return 1;
}

RECORDING_EXPORT int32_t CheckCall0(Text call, uint32_t, uint32_t, Text, Text, Text, Text, Text,
                                    Text, Text, Text, Text, Text, Text, int32_t, int32_t, int32_t,
                                    double, double, Text, Text, Text, Text, Text, Text, Text, char*,
                                    char*) {
  Note("CheckCall0 call " + Quote(call));
  return 2;
}

RECORDING_EXPORT int32_t GetExchgCount0(Text, Text, Text) { return 1; }

RECORDING_EXPORT int32_t IsValidExchg0(Text, Text, Text, Text, int32_t, int32_t, int32_t field) {
  return field == 0 ? 1 : 0;
}

RECORDING_EXPORT const char* GetResult0(int32_t* score) {
  Note("GetResult0");
  *score = g_cabrillo ? -1 : g_accepted;
  return g_calls.c_str();
}

}  // extern "C"
