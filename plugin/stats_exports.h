#pragma once

// The plug-in's exports as data, and the declaration of each, made from
// their list plugin/stats_exports.def, for everything that names them: the
// host stand-in, the benchmarks, the tests and the check of Stats.def.

#include "plugin/stats_api.h"

// The names and ordinals of one export, as data.
struct StatsExportNames {
  const char* plain;
  const char* decorated;
  unsigned ordinal;       // of the decorated name
  unsigned plainOrdinal;  // of the plain name
};

inline constexpr StatsExportNames kStatsExports[] = {
#define STATS_EXPORT_ENTRY(type, name, decorated, ordinal, plainOrdinal) \
  {#name, decorated, ordinal, plainOrdinal},
#include "plugin/stats_exports.def"
};

// Declares an export with its type of plugin/stats_api.h. Every file that
// defines or calls the exports declares them so, as
//   extern "C" {
//   #define STATS_EXPORT_ENTRY STATS_DECLARE_EXPORT
//   #include "plugin/stats_exports.def"
//   }
// and a definition whose arguments or result differ then fails to compile:
// a C function has one type.
#define STATS_DECLARE_EXPORT(type, name, decorated, ordinal, plainOrdinal) type name;
