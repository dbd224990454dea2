#pragma once

#include <map>
#include <string>

#include "resources/cabrillo_dialog_ids.h"

namespace testing_support {

// The Cabrillo header of UT1AA's log under Tovu 2.20 with no settings saved,
// from START-OF-LOG to EMAIL: the lines before CLAIMED-SCORE.
inline constexpr char kFreshHeaderLines[] =
    "START-OF-LOG: 3.0\r\n"
    "CONTEST: CQ UT CONTEST\r\n"
    "CREATED-BY: Tovu 2.20\r\n"
    "CALLSIGN: UT1AA\r\n"
    "CATEGORY-OPERATOR: SINGLE-OP\r\n"
    "CATEGORY-BAND: ALL\r\n"
    "CATEGORY-MODE: CW\r\n"
    "CATEGORY-POWER: HIGH\r\n"
    "CATEGORY-ASSISTED: NON-ASSISTED\r\n"
    "CATEGORY-TRANSMITTER: ONE\r\n"
    "LOCATION: \r\n"
    "EMAIL: \r\n";

// What the header dialog shows `call` with no settings saved, by control.
inline std::map<int, std::string> FreshDialogFields(const std::string& call) {
  return {{IDC_CONTEST, "CQ UT CONTEST"},
          {IDC_CALLSIGN, call},
          {IDC_CLAIMED, ""},
          {IDC_CAT_OPERATOR, "SINGLE-OP"},
          {IDC_CAT_BAND, "ALL"},
          {IDC_CAT_MODE, "CW"},
          {IDC_CAT_POWER, "HIGH"},
          {IDC_CAT_ASSISTED, "NON-ASSISTED"},
          {IDC_CAT_TRANSMITTER, "ONE"},
          {IDC_LOCATION, ""},
          {IDC_EMAIL, ""},
          {IDC_OPERATORS, call},
          {IDC_CLUB, ""},
          {IDC_NAME, ""},
          {IDC_ADDRESS, ""},
          {IDC_SOAPBOX, ""}};
}

}  // namespace testing_support
