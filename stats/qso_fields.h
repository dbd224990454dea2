#pragma once

// The values the host hands over in its long calls, listed once in
// stats/host_fields.def, and what its columns mean. The structs that carry
// them (the core's input, the host stand-in's arguments, the tests' QSOs)
// are made from the list, and the code that copies them expands it: a new
// value is one line there plus its use. Where a place names the values one
// by one, it checks kQsoFieldCount, so that the build stops there.
//
// Kinds: Text (a NUL-terminated text), Time (a date-time), Hz (a 32-bit
// unsigned frequency), Flag (a 32-bit signed integer). A struct made from
// the list takes its member types from a `Types` with one type per kind.
//
// Includes only <cstdint>: the core, the exports, tools/, tests,
// benchmarks and fuzz targets include it.

#include <cstdint>

namespace stats {

// The host's calls that take the lists.
enum class HostCall { kResetStats, kAddData, kRemoveData, kCheckCall };

// Which calls read a value (the `reads` column).
enum Reads : uint8_t {
  kAlways,           // every call that takes it
  kMatchedByRemove,  // every call that takes it; RemoveData0 removes the
                     // first stored record whose values of these are equal
  kNotByRemove,      // every call that takes it but RemoveData0
  kWithFlag,         // only while the Cabrillo flag, listed before it, is
                     // not zero
  kNever,            // passed as the host passes it, never read
};

// How the store's record keeps a QSO's value (the `record` column).
enum KeptAs : uint8_t {
  kCopied,    // as the member of the same name (m_<name> in CInfo)
  kDerived,   // as a member made from it (m_freqKHz, m_multKey)
  kReported,  // only in the error report's lines
};

// Whether `call` reads a value of `reads`; `cabrilloFlag` is the reset's.
constexpr bool CallReads(HostCall call, Reads reads, int32_t cabrilloFlag = 0) {
  switch (reads) {
    case kAlways:
    case kMatchedByRemove:
      return true;
    case kNotByRemove:
      return call != HostCall::kRemoveData;
    case kWithFlag:
      return cabrilloFlag != 0;
    case kNever:
      return false;
  }
  return false;
}

// The fields of one list as members of the same names, in list order.
template <typename Types>
struct QsoFields {
#define STATS_QSO_FIELD(name, kind, ...) typename Types::kind name{};
#include "stats/host_fields.def"
};
template <typename Types>
struct ProbeFields {
#define STATS_PROBE_FIELD(name, kind, ...) typename Types::kind name{};
#include "stats/host_fields.def"
};
template <typename Types>
struct ResetFields {
#define STATS_RESET_FIELD(name, kind, ...) typename Types::kind name{};
#include "stats/host_fields.def"
};

// The number of a QSO's fields.
constexpr int kQsoFieldCount = 0
#define STATS_QSO_FIELD(...) +1
#include "stats/host_fields.def"
    ;

// Sets every field of `to` to `convert` of the field of the same name of
// `from`.
template <typename To, typename From, typename Convert>
void ConvertQso(const From& from, To* to, Convert convert) {
#define STATS_QSO_FIELD(name, ...) to->name = convert(from.name);
#include "stats/host_fields.def"
}

}  // namespace stats
