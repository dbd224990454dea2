#include "cabrillo/header_fields.h"

#include "resources/cabrillo_dialog_ids.h"
#include "stats/contest_facts.h"

namespace cabrillo {
namespace {

using F = HeaderField;
using L = CCabrilloLog;

}  // namespace

// The log names its contest whatever the CONTEST field says, so that field
// has no line of its own. The places keep the settings file's order apart
// from the log's: keys new to the file are appended in it.
const HeaderField kHeaderFields[16] = {
    {IDC_CONTEST, nullptr, &L::m_contest, "Contest", 6, F::kSave, stats::kContestName},
    {IDC_CALLSIGN, "CALLSIGN", &L::m_callsign, nullptr, 0, 0, nullptr},
    {IDC_CAT_OPERATOR, "CATEGORY-OPERATOR", &L::m_catOperator, "Category", 5, F::kSave,
     "SINGLE-OP"},
    {IDC_CAT_BAND, "CATEGORY-BAND", &L::m_catBand, nullptr, 0, 0, "ALL"},
    {IDC_CAT_MODE, "CATEGORY-MODE", &L::m_catMode, nullptr, 0, 0, "CW"},
    {IDC_CAT_POWER, "CATEGORY-POWER", &L::m_catPower, nullptr, 0, 0, "HIGH"},
    {IDC_CAT_ASSISTED, "CATEGORY-ASSISTED", &L::m_catAssisted, nullptr, 0, 0, "NON-ASSISTED"},
    {IDC_CAT_TRANSMITTER, "CATEGORY-TRANSMITTER", &L::m_catTransmitter, nullptr, 0, 0, "ONE"},
    {IDC_LOCATION, "LOCATION", &L::m_location, nullptr, 0, F::kKept, ""},
    {IDC_EMAIL, "EMAIL", &L::m_email, "Email", 7, F::kLoad | F::kSave, ""},
    {IDC_CLAIMED, "CLAIMED-SCORE", &L::m_claimed, "Claimed", 4,
     F::kLoad | F::kShownOnly | F::kScore, ""},
    {IDC_OPERATORS, "OPERATORS", &L::m_operators, "Operators", 1,
     F::kLoad | F::kSave | F::kMultiLine, nullptr},
    {IDC_CLUB, "CLUB", &L::m_club, "Club", 8, F::kLoad | F::kSave, ""},
    {IDC_NAME, "NAME", &L::m_name, "Name", 2, F::kLoad | F::kSave, ""},
    {IDC_ADDRESS, "ADDRESS", &L::m_address, "Address", 3, F::kLoad | F::kSave | F::kMultiLine, ""},
    {IDC_SOAPBOX, "SOAPBOX", &L::m_soapbox, "SoapBox", 9, F::kLoad | F::kSave | F::kMultiLine, ""},
};

}  // namespace cabrillo
