#pragma once

#include <cstdint>
#include <string>

#include "tools/adif/adif_reader.h"

namespace tools {

// One QSO as the host offers it to the plug-in.
struct AdifQso {
  std::string call;      // worked callsign (CALL)
  double time = 0.0;     // OLE Automation date of QSO_DATE + TIME_ON
  uint32_t freqHz = 0;   // FREQ in Hz, else the lower edge of the band
  std::string mode;      // MODE by HostMode; SUBMODE is not read
  std::string rstSent;   // RST_SENT
  std::string rstRcvd;   // RST_RCVD
  std::string exchSent;  // STX_STRING joined with STX (JoinExchange)
  std::string exchRcvd;  // SRX_STRING joined with SRX (JoinExchange)
  std::string band;      // BAND in lower case ("20m"), else the band of FREQ
  std::string multCode;  // worked station's multiplier code
  std::string group;     // worked station's group code

  bool operator==(const AdifQso& other) const;
  bool operator!=(const AdifQso& other) const { return !(*this == other); }
};

// Which ADIF fields carry the codes that ADIF has no standard field for.
// Names are case-insensitive.
struct AdifQsoFields {
  // Field of the multiplier code; when empty, the code is taken from the
  // received exchange by MultCodeFromExchange.
  std::string multField;
  // Field of the group code; when empty, every group code is empty.
  std::string groupField;
};

// How ADIF fields feed the host's arguments, as `logreplay score --help`
// shows it: one line per argument, in the order of AdifQso.
extern const char kAdifMappingTable[];

// Maps one record to a QSO. CALL must be present and not empty; QSO_DATE and
// TIME_ON must be present and valid (see ParseAdifDate, ParseAdifTime); FREQ,
// when present and not empty, must be valid (see ParseFrequencyMhz). The band
// must be known: BAND, or FREQ within the band table; and the frequency
// too: FREQ, or a BAND of the table. Every other field may be missing and
// then gives an empty text. On failure
// `error` names the record's number and the field, and `qso` is unchanged.
bool AdifRecordToQso(const AdifRecord& record, const AdifQsoFields& fields, AdifQso* qso,
                     AdifError* error);

}  // namespace tools
