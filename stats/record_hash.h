#pragma once

#include <cstdint>

#include "stats/info.h"

namespace stats {

// Whether `record` can equal any record at all. A record whose date-time is
// invalid, or valid with a NaN value, equals none, itself included.
bool CanBeEqual(const CInfo& record);

// A hash for finding equal records: equal records give equal values. It
// reads the fields that tell QSOs apart (call, band, mode, the exchanges,
// frequency, tour, date-time) and none of the three per-QSO results of a
// results request (m_points, m_multBand, m_serial), so writing results never
// moves a record in an index. A null date-time hashes without its value,
// and +0.0 and -0.0 hash alike.
uint64_t EqualityHash(const CInfo& record);

}  // namespace stats
