#pragma once

// The values the host hands over in its long calls, each written once: its
// name, its kind, its argument number in the host's call (counted from 1, as
// the host's argument lists count) and who reads it. The structs that carry
// them (the core's input, the host stand-in's arguments, the tests' QSOs)
// are made from these lists, and the code that copies them expands the
// lists: a new value is one line here plus its use, and the compiler finds
// every other place.
//
// Kinds: Text (a NUL-terminated text), Time (a date-time), Hz (a 32-bit
// unsigned frequency), Flag (a 32-bit signed integer). A struct made from a
// list takes its member types from a `Types` with one type per kind.
//
// Reads: kAlways (every export that takes the argument reads it),
// kNotByRemove (AddData0 reads it, RemoveData0 does not), kWithFlag (read
// only when the Cabrillo flag, listed before it, is non-zero), kNever
// (passed as the host passes it, never read). Expanders dispatch on these by
// pasting them to a macro name.
//
// Includes nothing: the core, the exports, tools/, tests, benchmarks and
// fuzz targets include it.

// One QSO, as AddData0 and RemoveData0 take it (33 arguments):
//   X(name, kind, argument, reads, record)
// `record` says how the store's record keeps it: Copied (the member of the
// same name, m_<name> in CInfo), Derived (a member made from it: m_freqKHz,
// m_multKey) or Reported (only in the error report's lines).
#define STATS_QSO_FIELDS(X)                    \
  X(ownCall, Text, 1, kNotByRemove, Reported)  \
  X(call, Text, 2, kAlways, Copied)            \
  X(time, Time, 3, kNotByRemove, Copied)       \
  X(freqHz, Hz, 8, kNotByRemove, Derived)      \
  X(mode, Text, 9, kAlways, Copied)            \
  X(rstSent, Text, 10, kNotByRemove, Copied)   \
  X(rstRcvd, Text, 11, kNotByRemove, Copied)   \
  X(exchSent, Text, 12, kAlways, Copied)       \
  X(exchRcvd, Text, 13, kAlways, Copied)       \
  X(multCode, Text, 23, kNotByRemove, Derived) \
  X(group, Text, 30, kNotByRemove, Copied)     \
  X(band, Text, 32, kAlways, Copied)

// What CheckCall0 takes of the QSO being typed (28 arguments):
//   X(name, kind, argument, reads)
#define STATS_PROBE_FIELDS(X)    \
  X(call, Text, 1, kAlways)      \
  X(mode, Text, 4, kAlways)      \
  X(multCode, Text, 14, kAlways) \
  X(group, Text, 21, kNever)     \
  X(band, Text, 25, kAlways)

// What ResetStats0 takes (23 arguments):
//   X(name, kind, argument, reads)
#define STATS_RESET_FIELDS(X)       \
  X(cabrilloFlag, Flag, 2, kAlways) \
  X(ownCall, Text, 3, kWithFlag)    \
  X(start, Time, 4, kAlways)        \
  X(ownMultCode, Text, 15, kAlways) \
  X(ownGroupCode, Text, 22, kAlways)

namespace stats {

#define STATS_FIELD_MEMBER(name, kind, ...) typename Types::kind name{};
#define STATS_FIELD_COUNT(...) +1

// The fields of one list as members of the same names, in list order.
template <typename Types>
struct QsoFields {
  STATS_QSO_FIELDS(STATS_FIELD_MEMBER)
};
template <typename Types>
struct ProbeFields {
  STATS_PROBE_FIELDS(STATS_FIELD_MEMBER)
};
template <typename Types>
struct ResetFields {
  STATS_RESET_FIELDS(STATS_FIELD_MEMBER)
};

// The number of a QSO's fields: code that cannot expand the list (a source
// that lacks a field) checks it, so that a new field stops the build there.
constexpr int kQsoFieldCount = 0 STATS_QSO_FIELDS(STATS_FIELD_COUNT);

#undef STATS_FIELD_COUNT
#undef STATS_FIELD_MEMBER

// Sets every field of `to` to `convert` of the field of the same name of
// `from`.
template <typename To, typename From, typename Convert>
void ConvertQso(const From& from, To* to, Convert convert) {
#define STATS_CONVERT_FIELD(name, ...) to->name = convert(from.name);
  STATS_QSO_FIELDS(STATS_CONVERT_FIELD)
#undef STATS_CONVERT_FIELD
}

}  // namespace stats
