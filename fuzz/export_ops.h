#pragma once

// The input format of fuzz_exports: a stream of calls read from the front,
// each an operation byte and its arguments. Every byte sequence is a valid
// input: a value cut short by the end of the input reads as zeros. The seed
// maker writes the same format with OpWriter.
//
// An input starts with the arguments of a reset (no operation byte), then
// holds operations until it ends. A reset, an add, a removal and a call
// check take a junk byte, then the values of their list in
// stats/host_fields.def that the call reads, in list order
// (ForEachArgument), then the integers of their junk: none for a reset,
// one for an add, two for the others.
//
// Arguments:
//   junk   1 byte choosing what the call gets in every ignored position:
//          bits 0-1 the pointer (null or three addresses that fault when
//          read), bits 2-3 the date-time pointer, bits 4-5 the integers,
//          bits 6-7 the floats.
//   text   1 kind byte, then by kind % 8: 0 null; 1 a word of kWords
//          (1 byte index); 2, 5, 6, 7 raw bytes (1 length byte, the bytes;
//          a NUL ends the text as the host sees it); 3 a long text (1 length
//          byte of a piece of at most 16 bytes, the piece, a repeat count
//          byte, and a byte that multiplies the count by 16 when it is 3
//          modulo 4; at most 4 KiB, and at most 16 KiB of such texts in
//          one input); 4 bytes with the high bit set
//          (1 length byte, the bytes).
//   time   1 kind byte, then by kind % 4: 0 null pointer; 1 a valid time of
//          the contest day (2 bytes: minutes from 2026-12-19 00:00); 2 raw
//          (8 bytes of a double, 4 bytes of status); 3 a special value of
//          kSpecialDays (1 byte) with status kind / 4 % 4 as 0, 1, 2, -1.
//   u32, i32  4 bytes, little-endian.
//   flag   1 byte: 0, 1, -1 and INT32_MIN for 0 to 3, else the byte's low bit.
//
// The values of the lists by kind: Text a text, Time a time, Hz a u32,
// Flag a flag.

#include <cstdint>
#include <cstring>
#include <string>

#include "stats/qso_fields.h"

namespace fuzzing {

// The reset's Cabrillo flag, which decides whether it reads the own call;
// no other call has one.
template <typename Types>
int32_t CabrilloFlagOf(const stats::ResetFields<Types>& fields) {
  return fields.cabrilloFlag;
}
template <typename Fields>
int32_t CabrilloFlagOf(const Fields&) {
  return 0;
}

// Calls `visit` with each member of `fields` that `call` reads, in list
// order: the layout of the call's values in the input, for the fuzz target
// that reads them and the seed maker that writes them. A new value in a
// list moves both alike.
#define FUZZ_VISIT_FIELD(name, kind, argument, reads, ...) \
  if (stats::CallReads(call, stats::reads, fuzzing::CabrilloFlagOf(fields))) visit(fields.name);

// AddData0 or RemoveData0.
template <typename Types, typename Visit>
void ForEachArgument(stats::HostCall call, stats::QsoFields<Types>& fields, Visit visit) {
#define STATS_QSO_FIELD FUZZ_VISIT_FIELD
#include "stats/host_fields.def"
}

template <typename Types, typename Visit>
void ForEachArgument(stats::ProbeFields<Types>& fields, Visit visit) {
  constexpr stats::HostCall call = stats::HostCall::kCheckCall;
#define STATS_PROBE_FIELD FUZZ_VISIT_FIELD
#include "stats/host_fields.def"
}

// The flag is visited before the own call that it decides on.
template <typename Types, typename Visit>
void ForEachArgument(stats::ResetFields<Types>& fields, Visit visit) {
  constexpr stats::HostCall call = stats::HostCall::kResetStats;
#define STATS_RESET_FIELD FUZZ_VISIT_FIELD
#include "stats/host_fields.def"
}

#undef FUZZ_VISIT_FIELD

enum Op : uint8_t {
  kOpReset,
  kOpAdd,
  kOpRemove,
  kOpCheck,
  kOpValidExchange,
  kOpResult,
  kOpSetup,
  kOpEnumerate,
  kOpFile,
  kOpCount
};

// Files that kOpFile sets up in the work folder, by kind byte % kFileCount;
// the content follows as raw bytes (1 length byte, the bytes).
enum FileKind : uint8_t {
  kFileSettings,   // Plugins/TAVIN.ini with the content, Plugins created
  kFilePlugins,    // an empty Plugins folder
  kFileHostExe,    // Tovu2.exe with the content
  kFileErrFolder,  // a folder named err.txt
  kFileRemoveAll,  // everything in the work folder removed
  kFileCount
};

constexpr const char* kWords[] = {
    "",        "CW",    "SSB",   "cw",   "RTTY", "20m", "80m", "40m",   "15m",     "10m",  "160m",
    "RT",      "001AB", "015CD", "AB",   "CD",   "G1",  "G2",  "UT1AA", "UR5AA",   "599",  "59",
    "UT1AA/P", "CON",   "../x",  "a\\b", " ",    "20M", "XY",  "123ab", "Plugins", "TAVIN"};
constexpr unsigned kWordCount = sizeof kWords / sizeof kWords[0];

// Day numbers around every edge of the date-time conversion.
constexpr double kSpecialDays[] = {0.0,
                                   -0.0,
                                   -1.25,
                                   0.99999999999,
                                   46375.999999999,
                                   -657434.0,
                                   -657435.0,
                                   2958465.99999,
                                   2958466.0,
                                   1e308,
                                   -1e308,
                                   5e-324,
                                   -5e-324,
                                   4294967296.5,
                                   -2147483649.0,
                                   9.2233720368547758e18};
constexpr unsigned kSpecialCount = sizeof kSpecialDays / sizeof kSpecialDays[0];

// Writes the format above; for the seed maker.
class OpWriter {
 public:
  void Op(uint8_t op) { Byte(op); }
  void Junk(uint8_t junk) { Byte(junk); }
  void Byte(uint8_t b) { m_bytes.push_back(static_cast<char>(b)); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
  }
  void Null() { Byte(0); }
  void Word(unsigned index) {
    Byte(1);
    Byte(static_cast<uint8_t>(index));
  }
  // Raw text of at most 255 bytes.
  void Text(const std::string& text) {
    Byte(2);
    Bytes(text);
  }
  // A length byte and at most 255 bytes.
  void Bytes(const std::string& bytes) {
    Byte(static_cast<uint8_t>(bytes.size()));
    m_bytes.append(bytes, 0, bytes.size() & 0xFF);
  }
  void Time(uint16_t minutes) {
    Byte(1);
    Byte(static_cast<uint8_t>(minutes));
    Byte(static_cast<uint8_t>(minutes >> 8));
  }
  void RawTime(double value, int32_t status) {
    Byte(2);
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i) Byte(static_cast<uint8_t>(bits >> (8 * i)));
    U32(static_cast<uint32_t>(status));
  }
  const std::string& Bytes() const { return m_bytes; }

 private:
  std::string m_bytes;
};

}  // namespace fuzzing
