#include "tools/adif/adif_writer.h"

#include <cstdio>

#include "platform/framework/ole_date_time.h"
#include "tools/adif/adif_values.h"

using platform::CalendarFields;
using platform::OleDateToCalendar;

namespace tools {
namespace {

void AppendField(const char* name, const std::string& data, std::string* out) {
  *out += '<';
  *out += name;
  *out += ':';
  *out += std::to_string(data.size());
  *out += '>';
  *out += data;
  *out += ' ';
}

}  // namespace

std::string WriteAdifLog(const std::vector<AdifQso>& qsos, const std::string& ownCall,
                         const std::string& headerLine) {
  std::string out = headerLine + "\n";
  AppendField("ADIF_VER", "3.1.4", &out);
  AppendField("PROGRAMID", "make_sample_log", &out);
  out += "<EOH>\n";
  for (const AdifQso& qso : qsos) {
    std::string date;
    std::string time;
    CalendarFields f;
    if (OleDateToCalendar(qso.time, &f)) {
      char text[16];
      std::snprintf(text, sizeof text, "%04d%02d%02d", f.year, f.month, f.day);
      date = text;
      std::snprintf(text, sizeof text, "%02d%02d%02d", f.hour, f.minute, f.second);
      time = text;
    }
    AppendField("CALL", qso.call, &out);
    AppendField("QSO_DATE", date, &out);
    AppendField("TIME_ON", time, &out);
    AppendField("FREQ", FormatFrequencyMhz(qso.freqHz), &out);
    AppendField("BAND", AdifUpper(qso.band), &out);
    AppendField("MODE", qso.mode, &out);
    AppendField("RST_SENT", qso.rstSent, &out);
    AppendField("RST_RCVD", qso.rstRcvd, &out);
    AppendField("STX_STRING", qso.exchSent, &out);
    AppendField("SRX_STRING", qso.exchRcvd, &out);
    AppendField("STATION_CALLSIGN", ownCall, &out);
    AppendField(kAdifGroupField, qso.group, &out);
    out += "<EOR>\n";
  }
  return out;
}

}  // namespace tools
