#pragma once

#include <string>
#include <vector>

#include "cabrillo/cabrillo_log.h"

namespace cabrillo {

// What the program does with a header field's value.
enum HeaderFlag : unsigned {
  kLoad = 1u << 0,       // an edit starts from the settings file's value
  kSave = 1u << 1,       // OK writes the value to the settings file
  kShownOnly = 1u << 2,  // OK leaves the value as it was
  kKept = 1u << 3,       // an edit starts from the last edit's value
  kMultiLine = 1u << 4,  // several lines: "<CR>" and "<LF>" in the settings
                         // file, one header line each in the log
  kScore = 1u << 5,      // the header line gives the claimed score instead
};

// One field of the Cabrillo header: the dialog control that shows it, its
// header line, the CCabrilloLog member that holds it and its settings key.
// The columns of resources/cabrillo_fields.def say what each holds.
struct HeaderField {
  int control;  // id of the dialog control
  const char* tag;
  int line;
  std::string CCabrilloLog::*member;
  const char* key;
  int place;
  unsigned flags;  // HeaderFlag bits
  const char* initial;
};

constexpr int kHeaderFieldCount =
#define CABRILLO_FIELD(...) 1 +
#include "resources/cabrillo_fields.def"
    0;

// The fields in the form's order.
extern const HeaderField kHeaderFields[kHeaderFieldCount];

// Every field, ordered by `order` (&HeaderField::line or
// &HeaderField::place); those whose `order` is 0 come first, in the form's
// order.
std::vector<const HeaderField*> HeaderFieldsBy(int HeaderField::*order);

}  // namespace cabrillo
