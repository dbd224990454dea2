#include "stats/info.h"

namespace stats {

bool CInfo::operator==(const CInfo& o) const {
  return m_call == o.m_call && m_multKey == o.m_multKey &&
         m_group == o.m_group && m_band == o.m_band && m_mode == o.m_mode &&
         m_rstRcvd == o.m_rstRcvd && m_rstSent == o.m_rstSent &&
         m_exchRcvd == o.m_exchRcvd && m_exchSent == o.m_exchSent &&
         m_spare1 == o.m_spare1 && m_spare2 == o.m_spare2 &&
         m_freqKHz == o.m_freqKHz && m_tour == o.m_tour &&
         m_reserved == o.m_reserved && m_points == o.m_points &&
         m_multBand == o.m_multBand && m_serial == o.m_serial &&
         m_time == o.m_time;
}

InfoView ViewOf(const CInfo& r) {
  InfoView v;
  v.call = r.m_call;
  v.multKey = r.m_multKey;
  v.group = r.m_group;
  v.band = r.m_band;
  v.mode = r.m_mode;
  v.rstRcvd = r.m_rstRcvd;
  v.rstSent = r.m_rstSent;
  v.exchRcvd = r.m_exchRcvd;
  v.exchSent = r.m_exchSent;
  v.spare1 = r.m_spare1;
  v.spare2 = r.m_spare2;
  v.freqKHz = r.m_freqKHz;
  v.tour = r.m_tour;
  v.reserved = r.m_reserved;
  v.points = r.m_points;
  v.multBand = r.m_multBand;
  v.serial = r.m_serial;
  v.time = r.m_time;
  return v;
}

}  // namespace stats
