#pragma once

// The plug-in's boundary with its host: the types of the exported functions.
// Every function is __cdecl on 32-bit Windows. Texts are NUL-terminated 8-bit
// strings owned by the caller; a null text counts as empty and a null
// date-time as a null date-time. Arguments named `ignored` are never read.

#include <cstdint>

#ifndef STATS_CALL
#define STATS_CALL
#endif

extern "C" {

// The host's date-time: an OLE Automation date and a status.
struct StatsDateTime {
  double value;
  int32_t status;  // one of the kStatsDate... values
};
enum : int32_t { kStatsDateValid = 0, kStatsDateInvalid = 1, kStatsDateNull = 2 };

typedef const char* Text;
typedef const StatsDateTime* DateTime;

typedef int32_t(STATS_CALL AddData0Fn)(Text ownCall, Text call, DateTime time, DateTime, DateTime,
                                       DateTime, uint32_t, uint32_t freqHz, Text mode, Text rstSent,
                                       Text rstRcvd, Text exchSent, Text exchRcvd, Text, Text, Text,
                                       Text, Text, Text, Text, Text, Text, Text multCode, int32_t,
                                       int32_t, int32_t, double, double, Text, Text group, Text,
                                       Text band, Text);
typedef AddData0Fn RemoveData0Fn;

typedef int32_t(STATS_CALL ResetStats0Fn)(Text, int32_t cabrilloFlag, Text ownCall, DateTime start,
                                          DateTime end, Text, Text, Text, Text, Text, Text, Text,
                                          Text, Text, Text ownMultCode, int32_t, int32_t, int32_t,
                                          double, double, Text, Text ownGroupCode, Text);

typedef int32_t(STATS_CALL CheckCall0Fn)(Text call, uint32_t, uint32_t, Text mode, Text, Text, Text,
                                         Text, Text, Text, Text, Text, Text, Text multCode, int32_t,
                                         int32_t, int32_t, double, double, Text, Text group, Text,
                                         Text, Text, Text band, Text, char*, char*);

typedef int32_t(STATS_CALL GetExchgCount0Fn)(Text, Text, Text);
typedef int32_t(STATS_CALL IsValidExchg0Fn)(Text exchange, Text, Text, Text, int32_t, int32_t,
                                            int32_t field);
typedef int32_t(STATS_CALL GetNumberOfSetsFn)(void);
typedef const char*(STATS_CALL GetSetNameFn)(int32_t index);
typedef void(STATS_CALL SetupSet0Fn)(void);
typedef const char*(STATS_CALL GetResult0Fn)(int32_t* score);

}  // extern "C"
