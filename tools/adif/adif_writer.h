#pragma once

#include <string>
#include <vector>

#include "tools/adif/adif_qso.h"

namespace tools {

// The ADIF field that carries the worked station's group code, which ADIF
// has no standard field for. Read it back with AdifQsoFields::groupField.
constexpr char kAdifGroupField[] = "APP_UT_GROUP";

// Writes `qsos` as ADIF 3 text: the line `headerLine`, then a line with
// ADIF_VER, PROGRAMID and <EOH>, then one line per QSO with the fields CALL,
// QSO_DATE, TIME_ON (HHMMSS), FREQ (MHz), BAND (upper case, "20M"), MODE,
// RST_SENT, RST_RCVD, STX_STRING, SRX_STRING, STATION_CALLSIGN (`ownCall`)
// and kAdifGroupField, in that order, and <EOR>. Lines end in LF. The
// multiplier code is not written: it is expected to follow from SRX_STRING.
// A QSO time that is no date of the years 100 to 9999 is written as empty
// QSO_DATE and TIME_ON. `headerLine` must not contain '<'.
std::string WriteAdifLog(const std::vector<AdifQso>& qsos, const std::string& ownCall,
                         const std::string& headerLine);

}  // namespace tools
