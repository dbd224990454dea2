#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/adif/adif_qso.h"

namespace tools {

struct ContestLogOptions {
  uint32_t seed = 1;
  size_t qsoCount = 300;
  double start = 46375.5;  // OLE date of the contest start, on the full hour
  std::string ownCall = "UT9ZZQ";
  std::string ownMultCode = "KI";  // sent after the serial number
  // Distinct worked calls; 0 gives three quarters of the QSO count, at least 10.
  size_t stationCount = 0;
  // Distinct multiplier codes, the own one among them: the oblast codes
  // first, then two-letter codes from "AA" on.
  size_t multCodeCount = 26;
  // QSOs per thousand that the plug-in refuses.
  uint32_t refusedPerMille = 30;
};

// A uniform draw from 0 to bound - 1 (0 when bound is 0) that depends only on the
// engine's 32-bit outputs, so a seed gives the same numbers with every
// standard library.
uint32_t DrawBelow(std::mt19937* engine, uint32_t bound);

// A seeded CQ UT CONTEST log, produced one QSO at a time so that a log of
// any size needs no memory of its own: the same options give the same QSOs
// on every platform. QSOs run in time order, whole seconds, evenly over the
// four tours (eight hours from the start) on 80m to 10m, in runs of one band,
// mode (CW or SSB) and frequency. The worked stations come from a fixed pool
// of calls with Ukrainian prefixes, each with its multiplier code, a group
// code G1-G5 and its own growing serial number ("015CD"); 1 in 100 sends "RT"
// instead. The sent exchange is the QSO's serial number, at least three
// digits, and the own code. Per thousand QSOs, about 30 offer a recent QSO
// again unchanged (its time too), 20 work a recent station again on the same
// band and mode, and `refusedPerMille` (30) would be refused by the plug-in: mode "RTTY", mode
// "cw" or an empty received exchange. Each QSO's multiplier code is
// MultCodeFromExchange of its received exchange, so that the QSOs read back
// from the ADIF that WriteAdifLog makes of them.
class ContestLog {
 public:
  explicit ContestLog(const ContestLogOptions& options);

  // The next QSO; false once `qsoCount` QSOs have been given.
  bool Next(AdifQso* qso);

 private:
  struct Station {
    std::string call;
    std::string code;
    std::string group;
    uint32_t serial = 0;
    bool sendsRt = false;
  };

  // A recently accepted QSO and how it was made.
  struct Recent {
    AdifQso qso;
    uint32_t station;
    size_t band;
    bool cw;
  };

  uint32_t Below(uint32_t bound) { return DrawBelow(&m_engine, bound); }
  bool Chance(uint32_t perMille) { return Below(1000) < perMille; }
  void NewRun();
  void Fill(AdifQso* qso, uint32_t station, size_t band, bool cw, uint32_t freqHz);
  void Remember(const AdifQso& qso, uint32_t station, size_t band, bool cw);

  ContestLogOptions m_options;
  std::mt19937 m_engine;
  std::vector<Station> m_stations;
  std::vector<Recent> m_recent;  // a sample of recently accepted QSOs
  size_t m_given = 0;
  size_t m_band = 2;
  bool m_cw = true;
  uint32_t m_runHz = 0;
};

// The whole log at once.
std::vector<AdifQso> GenerateContestLog(const ContestLogOptions& options);

// The start of a contest on `date` ("YYYY-MM-DD" or "YYYYMMDD") at `hour`
// (0-23, UTC) as an OLE date. Fails, with the reason in `problem`, when the
// date or hour is not valid or the contest would end after 9999-12-31.
bool ContestStart(const std::string& date, int hour, double* start, std::string* problem);

}  // namespace tools
