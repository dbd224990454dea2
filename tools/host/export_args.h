#pragma once

// The host's long calls, each written once: the arguments the plug-in reads
// as structs made from the lists of stats/host_fields.def, and one writer of
// each call, which puts them at their numbers and a filler's values in every
// other position. The host stand-in and the fuzz target call ResetStats0,
// AddData0, RemoveData0 and CheckCall0 through these writers only.
//
// A filler answers `filler(ArgKind<T>{})` with the value of an ignored
// position of type T, for every type of the export's arguments; a writer
// asks it once for each position, first to last, before it puts the fields.

#include <cstddef>
#include <cstdint>
#include <tuple>

#include "plugin/stats_api.h"
#include "stats/qso_fields.h"

namespace tools {

// A date-time argument: a value, or the null pointer (also by default).
// The call gets a pointer to the value held here. Converts implicitly from
// both, as the pointer it stands for does.
class DateTimeArg {
 public:
  DateTimeArg() = default;
  DateTimeArg(std::nullptr_t) {}
  DateTimeArg(const StatsDateTime& value) : m_value(value), m_null(false) {}

  const StatsDateTime* Pointer() const { return m_null ? nullptr : &m_value; }

 private:
  StatsDateTime m_value{0.0, kStatsDateNull};
  bool m_null = true;
};

struct CallArgTypes {
  using Text = const char*;
  using Time = DateTimeArg;
  using Hz = uint32_t;
  using Flag = int32_t;
};

// One QSO as AddData0 and RemoveData0 take it. Texts are borrowed for the
// call; a null one is passed on as such.
using QsoCallArgs = stats::QsoFields<CallArgTypes>;
// What CheckCall0 takes of the QSO being typed. The group is passed as the
// host does, though the plug-in does not read it.
using CheckCallArgs = stats::ProbeFields<CallArgTypes>;
// What ResetStats0 takes. The own call is read only with the Cabrillo flag
// set.
using ResetCallArgs = stats::ResetFields<CallArgTypes>;

template <typename T>
struct ArgKind {};

template <typename Fn>
struct ExportArgs;
template <typename R, typename... A>
struct ExportArgs<R(A...)> {
  using Tuple = std::tuple<A...>;
  // Braces: the filler is asked first to last.
  template <typename Filler>
  static Tuple Filled(Filler& filler) {
    return Tuple{filler(ArgKind<A>{})...};
  }
};

inline const char* ArgOf(const char* text) { return text; }
inline const StatsDateTime* ArgOf(const DateTimeArg& time) { return time.Pointer(); }
inline uint32_t ArgOf(uint32_t value) { return value; }
inline int32_t ArgOf(int32_t value) { return value; }

inline int32_t CabrilloFlagOf(const ResetCallArgs& fields) { return fields.cabrilloFlag; }
template <typename Fields>
int32_t CabrilloFlagOf(const Fields&) {
  return 0;
}

// Puts `fields` at their argument numbers in `args`; with `fillUnread` only
// those that `call` reads, leaving the filler's values in the others.
#define TOOLS_PUT(name, kind, argument, reads, ...)                                  \
  if (!fillUnread || stats::CallReads(call, stats::reads, CabrilloFlagOf(fields))) { \
    std::get<argument - 1>(args) = ArgOf(fields.name);                               \
  }
template <typename Args>
void PutFields(stats::HostCall call, const QsoCallArgs& fields, bool fillUnread, Args& args) {
#define STATS_QSO_FIELD TOOLS_PUT
#include "stats/host_fields.def"
}
template <typename Args>
void PutFields(stats::HostCall call, const CheckCallArgs& fields, bool fillUnread, Args& args) {
#define STATS_PROBE_FIELD TOOLS_PUT
#include "stats/host_fields.def"
}
template <typename Args>
void PutFields(stats::HostCall call, const ResetCallArgs& fields, bool fillUnread, Args& args) {
#define STATS_RESET_FIELD TOOLS_PUT
#include "stats/host_fields.def"
}
#undef TOOLS_PUT

// Calls `fn` with `fields` as `call` takes them and the filler's values in
// every other position.
template <typename Fn, typename Fields, typename Filler>
int32_t CallWithFields(Fn* fn, stats::HostCall call, const Fields& fields, Filler& filler,
                       bool fillUnread) {
  auto args = ExportArgs<Fn>::Filled(filler);
  PutFields(call, fields, fillUnread, args);
  return std::apply(fn, args);
}

// AddData0 or RemoveData0 (the same arguments) with the QSO `fields`; with
// `fillUnread` the fields RemoveData0 does not read get the filler's values
// (for RemoveData0 only).
template <typename Filler>
int32_t CallWithQso(AddData0Fn* fn, const QsoCallArgs& fields, Filler& filler, bool fillUnread) {
  return CallWithFields(fn, stats::HostCall::kRemoveData, fields, filler, fillUnread);
}

// With `fillUnread` the fields the call does not read get the filler's
// values.
template <typename Filler>
int32_t CallCheck(CheckCall0Fn* fn, const CheckCallArgs& fields, Filler& filler, bool fillUnread) {
  return CallWithFields(fn, stats::HostCall::kCheckCall, fields, filler, fillUnread);
}
template <typename Filler>
int32_t CallReset(ResetStats0Fn* fn, const ResetCallArgs& fields, Filler& filler, bool fillUnread) {
  return CallWithFields(fn, stats::HostCall::kResetStats, fields, filler, fillUnread);
}

}  // namespace tools
