#include "tools/adif_qso.h"

#include "tools/adif_values.h"

namespace tools {
namespace {

bool Fail(const AdifRecord& record, const std::string& field, const std::string& message,
          AdifError* error) {
  error->record = record.number;
  error->field = field;
  error->message = message;
  return false;
}

std::string FirstNonEmpty(const AdifRecord& record, const char* preferred, const char* fallback) {
  const std::string value = record.Get(preferred);
  return value.empty() ? record.Get(fallback) : value;
}

}  // namespace

bool AdifQso::operator==(const AdifQso& other) const {
  return call == other.call && time == other.time && freqHz == other.freqHz && mode == other.mode &&
         rstSent == other.rstSent && rstRcvd == other.rstRcvd && exchSent == other.exchSent &&
         exchRcvd == other.exchRcvd && band == other.band && multCode == other.multCode &&
         group == other.group;
}

bool AdifRecordToQso(const AdifRecord& record, const AdifQsoFields& fields, AdifQso* qso,
                     AdifError* error) {
  AdifQso parsed;
  parsed.call = record.Get("CALL");
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

  parsed.mode = record.Get("MODE");
  parsed.rstSent = record.Get("RST_SENT");
  parsed.rstRcvd = record.Get("RST_RCVD");
  parsed.exchSent = FirstNonEmpty(record, "STX_STRING", "STX");
  parsed.exchRcvd = FirstNonEmpty(record, "SRX_STRING", "SRX");
  parsed.band = NormalizeBand(record.Get("BAND"));
  parsed.multCode = fields.multField.empty() ? MultCodeFromExchange(parsed.exchRcvd)
                                             : record.Get(AdifUpper(fields.multField));
  if (!fields.groupField.empty()) {
    parsed.group = record.Get(AdifUpper(fields.groupField));
  }
  *qso = parsed;
  return true;
}

}  // namespace tools
