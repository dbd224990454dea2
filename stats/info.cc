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
  InfoView v;
  v.call = record.m_call;
  v.multKey = record.m_multKey;
  v.group = record.m_group;
  v.band = record.m_band;
  v.mode = record.m_mode;
  v.rstRcvd = record.m_rstRcvd;
  v.rstSent = record.m_rstSent;
  v.exchRcvd = record.m_exchRcvd;
  v.exchSent = record.m_exchSent;
  v.spare1 = record.m_spare1;
  v.spare2 = record.m_spare2;
  v.freqKHz = record.m_freqKHz;
  v.tour = record.m_tour;
  v.reserved = record.m_reserved;
  v.points = record.m_points;
  v.multBand = record.m_multBand;
  v.serial = record.m_serial;
  v.time = record.m_time;
  return v;
}

}  // namespace stats
