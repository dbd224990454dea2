#pragma once

#include <cstdint>
#include <limits>

#include "plugin/stats_api.h"
#include "tools/host/export_args.h"

namespace tools {

// A filler for the writers of export_args.h that puts junk in the positions
// a call does not read, so that a read of one shows: pointers that fault
// when followed, extreme integers and floats. One junk byte chooses them:
// bits 0-1 the texts' pointer, 2-3 the date-times', 4-5 the signed
// integers, 6-7 the floats. The fuzz target and the differential driver
// both pass these.
class JunkFiller {
 public:
  // `integers` go to the unsigned positions in turn. `outputs`, when given,
  // are CheckCall0's two output buffers, handed out in turn; without them
  // those positions get the texts' junk pointer too.
  JunkFiller(uint8_t junk, const uint32_t (&integers)[2], char (*outputs)[64] = nullptr)
      : m_junk(junk), m_integers{integers[0], integers[1]}, m_outputs(outputs) {}

  Text operator()(ArgKind<Text>) const { return reinterpret_cast<Text>(Pointer(0)); }
  DateTime operator()(ArgKind<DateTime>) const { return reinterpret_cast<DateTime>(Pointer(2)); }
  char* operator()(ArgKind<char*>) {
    if (m_outputs == nullptr) return reinterpret_cast<char*>(Pointer(0));
    return m_outputs[m_nextOutput++ % 2];
  }
  int32_t operator()(ArgKind<int32_t>) const {
    static constexpr int32_t kIntegers[] = {0, -1, INT32_MIN, INT32_MAX};
    return kIntegers[(m_junk >> 4) & 3];
  }
  uint32_t operator()(ArgKind<uint32_t>) { return m_integers[m_nextInteger++ % 2]; }
  double operator()(ArgKind<double>) const {
    static constexpr double kFloats[] = {std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity(), -1e308, 0.0};
    return kFloats[(m_junk >> 6) & 3];
  }

 private:
  uintptr_t Pointer(int shift) const {
    static constexpr uintptr_t kPointers[] = {0, 0x10, 0x1000, ~uintptr_t{0xFFF}};
    return kPointers[(m_junk >> shift) & 3];
  }

  uint8_t m_junk;
  uint32_t m_integers[2];
  char (*m_outputs)[64];
  int m_nextOutput = 0;
  int m_nextInteger = 0;
};

}  // namespace tools
