#pragma once

#include <vector>

#include "platform/framework/cdialog.h"
#include "resources/cabrillo_dialog_ids.h"

// The Cabrillo header dialog's controls from top to bottom, with the combo
// lists: those of resources/cabrillo_fields.def, which the dialog template
// holds in the same order.
inline std::vector<platform::DialogControl> CabrilloFormLayout() {
  using C = platform::DialogControl;
  return {
#define CABRILLO_EDIT(id, number, label, ...) {id, label, C::kEdit, {}, false},
#define CABRILLO_MEMO(id, number, label, labelX, labelWidth, x, y, width, height, member, tag, \
                      line, key, place, flags, initial, newLines)                              \
  {id, label, C::kMultiLineEdit, {}, newLines == 0},
#define CABRILLO_COMBO(id, number, label, labelX, labelWidth, x, y, width, height, member, tag, \
                       line, key, place, flags, initial, ...)                                   \
  {id, label, C::kCombo, {__VA_ARGS__}, false},
#include "resources/cabrillo_fields.def"
  };
}
