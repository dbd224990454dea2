#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/framework/cobject.h"
#include "platform/framework/ole_date_time.h"

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

  // True when every field of stats/store/record_fields.def is equal; texts compare
  // byte for byte, date-times as COleDateTime does (an invalid one equals
  // nothing).
  bool operator==(const CInfo& other) const;
  bool operator!=(const CInfo& other) const { return !(*this == other); }

// The fields of stats/store/record_fields.def, which says what each holds.
#define STATS_RECORD_TEXT(enumerator, member, view) std::string member;
#define STATS_RECORD_EXCHANGE(member, view) std::string member;
#define STATS_RECORD_NUMBER(member, view, initial) int32_t member = initial;
#define STATS_RECORD_TIME(member, view) platform::COleDateTime member;
#include "stats/store/record_fields.def"
};

// A record's fields as views of texts that the caller keeps: how a QSO
// reaches the store without its texts being copied on the way.
struct InfoView {
#define STATS_RECORD_TEXT(enumerator, member, view) std::string_view view;
#define STATS_RECORD_EXCHANGE(member, view) std::string_view view;
#define STATS_RECORD_NUMBER(member, view, initial) int32_t view = initial;
#define STATS_RECORD_TIME(member, view) platform::COleDateTime view;
#include "stats/store/record_fields.def"
};

// The number of a record's fields: code that names them one by one (the
// tests' own equality) checks it, so that a new field stops the build there.
constexpr int kRecordFieldCount = 0
#define STATS_RECORD_FIELD(member, view) +1
#include "stats/store/record_fields.def"
    ;

// The view of `record`, valid while it is not changed.
InfoView ViewOf(const CInfo& record);

}  // namespace stats
