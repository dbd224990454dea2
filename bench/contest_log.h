#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/adif_qso.h"

namespace bench {

struct ContestLogOptions {
  uint32_t seed = 1;
  std::size_t qsoCount = 10000;
  std::size_t stationCount = 5000;  // distinct worked calls
  std::size_t multCodeCount = 40;   // distinct multiplier codes, own one included
  double start = 46375.5;           // OLE date of the contest start, on the hour
  std::string ownCall = "UT9ZZQ";
  std::string ownMultCode = "KI";
};

// One QSO as the host offers it to AddData0.
using LoggedQso = tools::AdifQso;

// A seeded CQ UT CONTEST log, produced one QSO at a time so that a log of
// any size needs no memory of its own: the same options give the same QSOs
// on every platform. QSOs run in time order through the four tours (eight
// hours from the start) on 80m to 10m, in runs of one band and mode, CW and
// SSB. The worked stations come from a fixed pool of `stationCount` calls,
// each with its multiplier code (one of `multCodeCount`, the own code among
// them), a group code G1-G5 and its own growing serial number; 1 in 100
// sends "RT" instead. Per thousand QSOs, about 30 offer a recent QSO again
// unchanged, 20 work a recent station again on the same band and mode, and
// 30 would be refused: mode "RTTY", mode "cw" or an empty received exchange.
class ContestLog {
 public:
  explicit ContestLog(const ContestLogOptions& options);

  // The next QSO; false once `qsoCount` QSOs have been given.
  bool Next(LoggedQso* qso);

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
    LoggedQso qso;
    uint32_t station;
    std::size_t band;
    bool cw;
  };

  uint32_t Below(uint32_t bound);
  bool Chance(uint32_t perMille) { return Below(1000) < perMille; }
  void NewRun();
  void Fill(LoggedQso* qso, uint32_t station, std::size_t band, bool cw, uint32_t freqHz);
  void Remember(const LoggedQso& qso, uint32_t station, std::size_t band, bool cw);

  ContestLogOptions m_options;
  std::mt19937 m_engine;
  std::vector<Station> m_stations;
  std::vector<Recent> m_recent;  // a sample of recently accepted QSOs
  std::size_t m_given = 0;
  std::size_t m_band = 2;
  bool m_cw = true;
  uint32_t m_runHz = 0;
};

// The whole log at once.
std::vector<LoggedQso> GenerateContestLog(const ContestLogOptions& options);

}  // namespace bench
