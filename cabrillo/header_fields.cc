#include "cabrillo/header_fields.h"

#include <algorithm>

#include "resources/cabrillo_dialog_ids.h"
#include "stats/contest_facts.h"

namespace cabrillo {

const HeaderField kHeaderFields[kHeaderFieldCount] = {
#define CABRILLO_FIELD(id, number, label, labelX, labelWidth, x, y, width, height, member, tag, \
                       line, key, place, flags, initial)                                        \
  {id, tag, line, &CCabrilloLog::member, key, place, flags, initial},
// A memo's value spans lines.
#define CABRILLO_MEMO(id, number, label, labelX, labelWidth, x, y, width, height, member, tag,  \
                      line, key, place, flags, initial, newLines)                               \
  CABRILLO_FIELD(id, number, label, labelX, labelWidth, x, y, width, height, member, tag, line, \
                 key, place, (flags) | kMultiLine, initial)
#include "resources/cabrillo_fields.def"
};

std::vector<const HeaderField*> HeaderFieldsBy(int HeaderField::*order) {
  std::vector<const HeaderField*> fields;
  for (const HeaderField& field : kHeaderFields) fields.push_back(&field);
  std::stable_sort(
      fields.begin(), fields.end(),
      [order](const HeaderField* a, const HeaderField* b) { return a->*order < b->*order; });
  return fields;
}

}  // namespace cabrillo
