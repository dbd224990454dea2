#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/cobject.h"
#include "platform/ole_date_time.h"

namespace stats {

// The value of a per-QSO result that no results request has written, and of
// `m_multBand` for a QSO that is not the first of its multiplier key.
constexpr int32_t kNoResult = -1;

// One QSO as the store keeps it. Copies are deep; equality compares every
// field (see operator==).
class CInfo : public platform::CObject {
 public:
  CInfo() = default;
  CInfo(const CInfo&) = default;
  CInfo& operator=(const CInfo&) = default;
  CInfo(CInfo&&) = default;
  CInfo& operator=(CInfo&&) = default;
  ~CInfo() override = default;

  // True when every field is equal: the eleven texts, the six integers and
  // the date-time; texts compare byte for byte, date-times as COleDateTime does (an
  // invalid one equals nothing).
  bool operator==(const CInfo& other) const;
  bool operator!=(const CInfo& other) const { return !(*this == other); }

  std::string m_call;              // worked station's callsign
  std::string m_multKey;           // multiplier code followed by the tour number
  std::string m_group;             // worked station's group code
  std::string m_band;              // band label as the host gave it
  std::string m_mode;              // "CW" or "SSB" in every stored record
  std::string m_rstRcvd;           // signal report received
  std::string m_rstSent;           // signal report sent
  std::string m_exchRcvd;          // exchange received, never empty when stored
  std::string m_exchSent;          // exchange sent, never empty when stored
  std::string m_spare1;            // reserved
  std::string m_spare2;            // reserved
  int32_t m_freqKHz = 0;           // frequency in kHz
  int32_t m_tour = 0;              // tour 0..4 of the QSO time
  int32_t m_reserved = kNoResult;  // reserved
  int32_t m_points = kNoResult;    // QSO points of the last results request
  int32_t m_multBand = kNoResult;  // band weight when first of its key, else -1
  int32_t m_serial = kNoResult;    // number taken from the exchange by scoring
  platform::COleDateTime m_time;   // QSO date-time as the host gave it
};

// A record's fields as views of texts that the caller keeps: how a QSO
// reaches the store without its texts being copied on the way.
struct InfoView {
  std::string_view call, multKey, group, band, mode, rstRcvd, rstSent, exchRcvd, exchSent, spare1,
      spare2;
  int32_t freqKHz = 0, tour = 0, reserved = kNoResult, points = kNoResult, multBand = kNoResult,
          serial = kNoResult;
  platform::COleDateTime time;
};

// The view of `record`, valid while it is not changed.
InfoView ViewOf(const CInfo& record);

}  // namespace stats
