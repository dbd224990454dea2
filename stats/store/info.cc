#include "stats/store/info.h"

namespace stats {

bool CInfo::operator==(const CInfo& other) const {
  return true
#define STATS_RECORD_FIELD(member, view) &&member == other.member
#include "stats/store/record_fields.def"
      ;
}

InfoView ViewOf(const CInfo& record) {
  InfoView out;
#define STATS_RECORD_FIELD(member, view) out.view = record.member;
#include "stats/store/record_fields.def"
  return out;
}

}  // namespace stats
