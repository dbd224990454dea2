#include "stats/info.h"

namespace stats {

bool CInfo::operator==(const CInfo& other) const {
  return m_call == other.m_call && m_multKey == other.m_multKey && m_group == other.m_group &&
         m_band == other.m_band && m_mode == other.m_mode && m_rstRcvd == other.m_rstRcvd &&
         m_rstSent == other.m_rstSent && m_exchRcvd == other.m_exchRcvd &&
         m_exchSent == other.m_exchSent && m_spare1 == other.m_spare1 &&
         m_spare2 == other.m_spare2 && m_freqKHz == other.m_freqKHz && m_tour == other.m_tour &&
         m_reserved == other.m_reserved && m_points == other.m_points &&
         m_multBand == other.m_multBand && m_serial == other.m_serial && m_time == other.m_time;
}

InfoView ViewOf(const CInfo& record) {
  return {record.m_call,     record.m_multKey,  record.m_group,   record.m_band,
          record.m_mode,     record.m_rstRcvd,  record.m_rstSent, record.m_exchRcvd,
          record.m_exchSent, record.m_spare1,   record.m_spare2,  record.m_freqKHz,
          record.m_tour,     record.m_reserved, record.m_points,  record.m_multBand,
          record.m_serial,   record.m_time};
}

}  // namespace stats
