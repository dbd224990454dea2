#include "stats/record_hash.h"

#include <cmath>
#include <cstring>

#include "stats/text_hash.h"

using platform::COleDateTime;

namespace stats {

bool CanBeEqual(const CInfo& record) {
  const COleDateTime& t = record.m_time;
  return t.m_status == COleDateTime::null ||
         (t.m_status == COleDateTime::valid && !std::isnan(t.m_dt));
}

uint64_t EqualityHash(const CInfo& r) {
  TextHash hash;
  hash.Add(r.m_call).Add(r.m_band).Add(r.m_mode).Add(r.m_exchRcvd).Add(r.m_exchSent);
  hash.Add(uint64_t{static_cast<uint32_t>(r.m_freqKHz)} << 32 |
           static_cast<uint32_t>(r.m_tour));
  uint64_t bits = 0;
  if (r.m_time.m_status == COleDateTime::valid && r.m_time.m_dt != 0.0) {
    std::memcpy(&bits, &r.m_time.m_dt, sizeof bits);
  }
  hash.Add(bits ^ static_cast<uint32_t>(r.m_time.m_status));
  return hash.Value();
}

}  // namespace stats
