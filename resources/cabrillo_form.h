#pragma once

#include <vector>

#include "platform/cdialog.h"
#include "resources/cabrillo_dialog_ids.h"

// The Cabrillo header dialog's controls from top to bottom, with the combo
// lists; the dialog template holds the same controls in the same order.
inline std::vector<platform::DialogControl> CabrilloFormLayout() {
  using C = platform::DialogControl;
  return {
      {IDC_CONTEST, "CONTEST", C::kEdit, {}, false},
      {IDC_CALLSIGN, "CALLSIGN", C::kEdit, {}, false},
      {IDC_CLAIMED, "CLAIMED", C::kEdit, {}, false},
      {IDC_CAT_OPERATOR,
       "CATEGORY-OPERATOR",
       C::kCombo,
       {"SINGLE-OP", "MULTI-OP", "CHECKLOG"},
       false},
      {IDC_CAT_BAND, "CATEGORY-BAND", C::kCombo, {"ALL", "80M", "40M", "20M", "15M", "10M"}, false},
      {IDC_CAT_MODE, "CATEGORY-MODE", C::kCombo, {"CW", "SSB", "MIXED"}, false},
      {IDC_CAT_POWER, "CATEGORY-POWER", C::kCombo, {"HIGH", "LOW", "QRP"}, false},
      {IDC_CAT_ASSISTED, "CATEGORY-ASSISTED", C::kCombo, {"ASSISTED", "NON-ASSISTED"}, false},
      {IDC_CAT_TRANSMITTER, "CATEGORY-TRANSMITTER", C::kCombo, {"ONE", "TWO", "UNLIMITED"}, false},
      {IDC_LOCATION, "LOCATION", C::kEdit, {}, false},
      {IDC_EMAIL, "E-MAIL", C::kEdit, {}, false},
      {IDC_OPERATORS, "OPERATORS", C::kMultiLineEdit, {}, true},
      {IDC_CLUB, "CLUB", C::kEdit, {}, false},
      {IDC_NAME, "NAME", C::kEdit, {}, false},
      {IDC_ADDRESS, "ADDRESS", C::kMultiLineEdit, {}, false},
      {IDC_SOAPBOX, "SOAPBOX", C::kMultiLineEdit, {}, false},
  };
}
