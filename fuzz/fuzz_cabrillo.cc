// The host stand-in's Cabrillo reading on arbitrary bytes: the reader, then
// the whole mapping to the host's arguments, every input read as a log
// whatever its first line. Beyond not crashing: every QSO lies in a band
// of the band table with a mode as the host gives it, exchanges upper case
// without blanks and the multiplier code of the received exchange; lines
// come in file order; each fault, and each value the layout of the whole
// log made the reader assume, names its line; a QSO written back in the
// plug-in's own QSO line reads again to the same QSO; and the plan keeps
// the promises of every log (plan_checks.h).

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/expect.h"
#include "fuzz/plan_checks.h"
#include "tools/cabrillo_input/cabrillo_input.h"

namespace {

using fuzz_checks::OnePrintableLine;
using fuzz_checks::UpperWithoutBlanks;

// The QSO as the plug-in's Cabrillo log writes it.
std::string OwnLine(const tools::CabrilloQsoLine& line) {
  const tools::AdifQso& q = line.qso;
  tools::CivilDate date;
  tools::TimeOfDay time;
  tools::OleToCivil(q.time, &date, &time);
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d%02d", date.year, date.month, date.day,
                time.hour, time.minute);
  const char* mode = q.mode == "CW" ? "CW" : q.mode == "SSB" ? "PH" : "??";
  const char* format = q.exchRcvd.size() == 2
                           ? "QSO: %5u %2s %s %-13s %-3s %-6s %-13s %-3s %s %i -- %i"
                           : "QSO: %5u %2s %s %-13s %-3s %-6s %-13s %-3s  %s %i -- %i";
  std::string text(q.call.size() + q.rstSent.size() + q.rstRcvd.size() + q.exchSent.size() +
                       q.exchRcvd.size() + line.ownCall.size() + 128,
                   '\0');
  const int length = std::snprintf(&text[0], text.size(), format, q.freqHz / 1000, mode, when,
                                   line.ownCall.c_str(), q.rstSent.c_str(), q.exchSent.c_str(),
                                   q.call.c_str(), q.rstRcvd.c_str(), q.exchRcvd.c_str(), -1, -1);
  text.resize(length < 0 ? 0 : static_cast<size_t>(length));
  return text;
}

void CheckLine(const tools::CabrilloQsoLine& line) {
  const tools::AdifQso& q = line.qso;
  FUZZ_EXPECT(!q.band.empty() && tools::BandOfFrequency(q.freqHz) == q.band);
  FUZZ_EXPECT(tools::HostMode(q.mode) == q.mode && q.mode != "PH");
  FUZZ_EXPECT(UpperWithoutBlanks(q.exchSent) && UpperWithoutBlanks(q.exchRcvd));
  FUZZ_EXPECT(q.multCode == tools::MultCodeFromExchange(q.exchRcvd));
  FUZZ_EXPECT(!line.ownCall.empty() && q.group.empty());

  // Values with a blank inside cannot be columns of a blank-separated line;
  // a NUL would end the plug-in's formatted text.
  const std::string blankOrNul(" \t\0", 3);
  for (const std::string* value :
       {&q.call, &q.rstSent, &q.rstRcvd, &q.exchSent, &q.exchRcvd, &line.ownCall}) {
    if (value->find_first_of(blankOrNul) != std::string::npos) return;
  }
  tools::CabrilloQsoLine again;
  tools::CabrilloError error;
  FUZZ_EXPECT(tools::CabrilloLineToQso(OwnLine(line), line.line, &again, &error));
  const tools::AdifQso& a = again.qso;
  FUZZ_EXPECT(a.freqHz == q.freqHz / 1000 * 1000 && a.band == q.band);
  FUZZ_EXPECT(a.mode == (q.mode == "CW" || q.mode == "SSB" ? q.mode : "??"));
  FUZZ_EXPECT(a.time == q.time && again.ownCall == line.ownCall && a.call == q.call);
  FUZZ_EXPECT(a.rstSent == q.rstSent && a.exchSent == q.exchSent);
  FUZZ_EXPECT(a.rstRcvd == q.rstRcvd && a.exchRcvd == q.exchRcvd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = tools::IsCabrilloLog(bytes) ? bytes : "START-OF-LOG: 3.0\r\n" + bytes;
  tools::CabrilloLog log;
  tools::CabrilloError error;
  FUZZ_EXPECT(tools::ReadCabrillo(text, &log, &error));
  size_t lastLine = 0;
  for (const tools::CabrilloQsoLine& line : log.qsos) {
    FUZZ_EXPECT(line.line > lastLine);
    lastLine = line.line;
    CheckLine(line);
  }
  // What the layout pass assumed names a QSO line read and a value in it.
  for (const std::vector<tools::CabrilloError>* said : {&log.badLines, &log.assumed}) {
    for (const tools::CabrilloError& bad : *said) {
      FUZZ_EXPECT(bad.line > 0 && !bad.message.empty());
      FUZZ_EXPECT((bad.column == 0) == bad.what.empty());
      FUZZ_EXPECT(OnePrintableLine(tools::ErrorLine(bad.ToString())));
    }
  }
  for (const tools::CabrilloError& assumed : log.assumed) {
    FUZZ_EXPECT(assumed.column > 0 && assumed.line <= log.lastLine);
  }

  tools::ReplayOptions options[3];
  options[1].skipBad = true;
  options[1].groupMap = tools::GroupMap{"g.txt", {{"CD", "G1"}, {"KI", "G3"}}};
  options[2].skipBad = true;
  options[2].ownCall = "UT9ZZQ";
  options[2].ownMultCode = "KI";
  options[2].ownGroupCode = "G3";
  options[2].start = StatsDateTime{46375.5, 0};
  for (const tools::ReplayOptions& option : options) fuzz_checks::CheckPlan(text, option);
  return 0;
}
