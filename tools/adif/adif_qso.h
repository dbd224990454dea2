#pragma once

#include <cstdint>
#include <string>

#include "stats/qso_fields.h"
#include "tools/adif/adif_reader.h"

namespace tools {

// The types of a QSO's values as a log gives them: texts, the time as an
// OLE Automation date, the frequency in Hz.
struct AdifTypes {
  using Text = std::string;
  using Time = double;
  using Hz = uint32_t;
  using Flag = int32_t;
};

// One QSO as the host offers it to the plug-in: a member for each value of
// AddData0's list (stats/host_fields.def), of the same name, so a value
// added there is a member here, compared by ==, and handed over by the
// host (CallArgsOf). As the readers fill them:
//   ownCall   left empty: the replay hands over its own call instead
//   call      worked callsign (CALL)
//   time      QSO_DATE + TIME_ON
//   freqHz    FREQ, else the lower edge of the band
//   mode      MODE by HostMode; SUBMODE is not read
//   rstSent, rstRcvd      RST_SENT, RST_RCVD
//   exchSent, exchRcvd    STX_STRING joined with STX, SRX_STRING with SRX
//                         (JoinExchange)
//   multCode  the worked station's multiplier code
//   group     the worked station's group code
//   band      BAND in lower case ("20m"), else the band of FREQ
struct AdifQso : stats::QsoFields<AdifTypes> {
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
