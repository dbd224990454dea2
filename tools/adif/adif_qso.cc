#include "tools/adif/adif_qso.h"

#include "tools/adif/adif_values.h"

namespace tools {
namespace {

constexpr uint32_t kHzPerKhz = 1000;

bool Fail(const AdifRecord& record, const std::string& field, const std::string& message,
          AdifError* error) {
  error->record = record.number;
  error->field = field;
  error->message = message;
  return false;
}

}  // namespace

const char kAdifMappingTable[] =
    "  plug-in is given   from the ADIF fields\n"
    "  worked call        CALL, upper case\n"
    "  QSO time (UTC)     QSO_DATE and TIME_ON; QSOs go in time order (equal\n"
    "                     times in log order), as the host's log holds them\n"
    "  frequency          FREQ; without it (or 0), the lower edge of the band\n"
    "                     (14000 kHz for 20m)\n"
    "  band               BAND in lower case; without it, the band of FREQ\n"
    "  mode               MODE, trimmed, upper case; USB and LSB as SSB\n"
    "                     (SUBMODE is not read)\n"
    "  reports            RST_SENT, RST_RCVD\n"
    "  exchanges          STX_STRING, SRX_STRING, upper case, blanks inside\n"
    "                     dropped (015 cd gives 015CD); when one is empty,\n"
    "                     STX or SRX; when it has no leading digits and STX\n"
    "                     or SRX is a number, that number as written, then\n"
    "                     the text (SRX 15 and SRX_STRING CD give 15CD, 015\n"
    "                     gives 015CD)\n"
    "  multiplier code    the field of --mult-field; without it, the letters\n"
    "                     after the digits of the received exchange; none is\n"
    "                     a warning naming the record\n"
    "  group code         the field of --group-field, or the multiplier\n"
    "                     code's in --group-map; without either, empty\n"
    "  own call           --own-call; else STATION_CALLSIGN, else OPERATOR,\n"
    "                     of the first QSO in time order\n"
    "  own multiplier     --own-mult; else the letters after the digits of\n"
    "                     the first QSO's sent exchange\n"
    "  own group          --own-group (needed with --group-field); with\n"
    "                     --group-map, else the own multiplier code's\n"
    "Calls and codes, options included, are given in upper case. Field names\n"
    "are read in any case.\n";

bool AdifQso::operator==(const AdifQso& other) const {
  bool same = true;
#define STATS_QSO_FIELD(name, ...) same = same && name == other.name;
#include "stats/host_fields.def"
  return same;
}

bool AdifRecordToQso(const AdifRecord& record, const AdifQsoFields& fields, AdifQso* qso,
                     AdifError* error) {
  AdifQso parsed;
  parsed.call = UpperTrimmed(record.Get("CALL"));
  if (parsed.call.empty()) {
    return Fail(record, "CALL", "worked callsign is missing", error);
  }

  std::string problem;
  CivilDate date;
  TimeOfDay time;
  if (!record.Has("QSO_DATE")) {
    return Fail(record, "QSO_DATE", "QSO date is missing", error);
  }
  if (!ParseAdifDate(record.Get("QSO_DATE"), &date, &problem)) {
    return Fail(record, "QSO_DATE", problem, error);
  }
  if (!record.Has("TIME_ON")) {
    return Fail(record, "TIME_ON", "QSO time is missing", error);
  }
  if (!ParseAdifTime(record.Get("TIME_ON"), &time, &problem)) {
    return Fail(record, "TIME_ON", problem, error);
  }
  parsed.time = ToOleDate(date, time);

  const std::string freq = record.Get("FREQ");
  if (!freq.empty() && !ParseFrequencyMhz(freq, &parsed.freqHz, &problem)) {
    return Fail(record, "FREQ", problem, error);
  }
  // Some loggers write 0 for an unknown frequency; below 1 kHz the plug-in
  // would print 0 kHz.
  const bool freqKnown = parsed.freqHz >= kHzPerKhz;
  parsed.band = NormalizeBand(record.Get("BAND"));
  if (parsed.band.empty() && !freqKnown) {
    return Fail(record, "BAND", "neither BAND nor a frequency in FREQ is given", error);
  }
  if (parsed.band.empty()) {
    parsed.band = BandOfFrequency(parsed.freqHz);
    if (parsed.band.empty()) {
      return Fail(record, "FREQ",
                  "frequency " + freq +
                      " MHz lies in no band of the band table, and BAND is "
                      "missing",
                  error);
    }
  }
  if (!freqKnown) {
    parsed.freqHz = BandLowerEdgeHz(parsed.band);
    if (parsed.freqHz == 0) {
      return Fail(
          record, "BAND",
          "band \"" + parsed.band + "\" is not in the band table, and FREQ gives no frequency",
          error);
    }
  }

  parsed.mode = HostMode(record.Get("MODE"));
  parsed.rstSent = record.Get("RST_SENT");
  parsed.rstRcvd = record.Get("RST_RCVD");
  parsed.exchSent = JoinExchange(record.Get("STX_STRING"), record.Get("STX"));
  parsed.exchRcvd = JoinExchange(record.Get("SRX_STRING"), record.Get("SRX"));
  parsed.multCode = fields.multField.empty()
                        ? MultCodeFromExchange(parsed.exchRcvd)
                        : UpperTrimmed(record.Get(AdifUpper(fields.multField)));
  if (!fields.groupField.empty()) {
    parsed.group = UpperTrimmed(record.Get(AdifUpper(fields.groupField)));
  }
  *qso = parsed;
  return true;
}

}  // namespace tools
