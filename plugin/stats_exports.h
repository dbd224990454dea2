#pragma once

// The plug-in's ten exports in one list, for everything that names them: the
// host stand-in, the benchmarks, the tests and the check of Stats.def.
//
// STATS_EXPORTS(X) expands X(type, name, decorated, ordinal, plainOrdinal)
// once per export, in the order the host first calls them: `type` is the
// function type of plugin/stats_api.h, `name` the plain name (an identifier),
// `decorated` the decorated name as a string. Only the 32-bit Windows library
// carries the decorated names and the ordinals: `ordinal` is that of the
// decorated name, `plainOrdinal` that of the plain name, both the same
// function.

#include "plugin/stats_api.h"

#define STATS_EXPORTS(X)                                                                       \
  X(GetNumberOfSetsFn, GetNumberOfSets, "?GetNumberOfSets@@YAHXZ", 3, 14)                      \
  X(GetSetNameFn, GetSetName, "?GetSetName@@YAPBDH@Z", 5, 16)                                  \
  X(SetupSet0Fn, SetupSet0, "?SetupSet0@@YAXXZ", 8, 20)                                        \
  X(ResetStats0Fn, ResetStats0,                                                                \
    "?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z", 7, 19)                 \
  X(AddData0Fn, AddData0,                                                                      \
    "?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z", 1, 11)          \
  X(RemoveData0Fn, RemoveData0,                                                                \
    "?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z", 6, 18)       \
  X(CheckCall0Fn, CheckCall0, "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z", 2, 12) \
  X(GetExchgCount0Fn, GetExchgCount0, "?StatsGetExchgCount0@@YAHPBD00@Z", 9, 13)               \
  X(IsValidExchg0Fn, IsValidExchg0, "?StatsIsValidExchg0@@YAHPBD000HHH@Z", 10, 17)             \
  X(GetResult0Fn, GetResult0, "?GetResult0@@YAPBDPAH@Z", 4, 15)

// The names and ordinals of one export, as data.
struct StatsExportNames {
  const char* plain;
  const char* decorated;
  unsigned ordinal;       // of the decorated name
  unsigned plainOrdinal;  // of the plain name
};

#define STATS_EXPORT_NAMES_ROW(type, name, decorated, ordinal, plainOrdinal) \
  {#name, decorated, ordinal, plainOrdinal},
inline constexpr StatsExportNames kStatsExports[] = {STATS_EXPORTS(STATS_EXPORT_NAMES_ROW)};
#undef STATS_EXPORT_NAMES_ROW

// Declares an export with its type of plugin/stats_api.h. Every file that
// defines or calls the exports declares them so, as
//   extern "C" { STATS_EXPORTS(STATS_DECLARE_EXPORT) }
// and a definition whose arguments or result differ then fails to compile:
// a C function has one type.
#define STATS_DECLARE_EXPORT(type, name, decorated, ordinal, plainOrdinal) type name;
