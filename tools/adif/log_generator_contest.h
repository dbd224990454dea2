#pragma once

// A whole CQ UT CONTEST from a seed: every entrant's Cabrillo log, the
// stations worked that send none, and what really happened on each QSO
// line, so that a cross-check of the logs can be scored against the truth.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tools {

struct ContestOptions {
  uint32_t seed = 1;
  size_t entrants = 300;        // stations that send a log
  size_t silentStations = 300;  // stations worked that send none
  size_t qsoLines = 60000;      // QSO lines of all logs together, about
  double start = 46375.5;       // OLE date of the contest start, on the full hour
  // Planted faults, per 10,000: of QSO lines (busted calls and exchanges),
  // of the lines of QSOs between two entrants (the other side forgot it),
  // of QSOs (worked again in the same tour, band and mode, both sides
  // logging it), of logs (a clock 3 to 20 minutes off; 60 minutes off).
  uint32_t bustedCallPer10k = 160;
  uint32_t bustedExchangePer10k = 40;
  uint32_t forgottenPer10k = 80;
  uint32_t dupePer10k = 50;
  uint32_t clockOffPer10k = 200;
  uint32_t clockFarPer10k = 20;
  int jitterMinutes = 1;  // each side logs the time up to this much off
};

// What really happened on a QSO line. The names are the verdicts a
// cross-check should give: kGood is any credited verdict.
enum class PlantedFault { kGood, kBustedCall, kBustedExchange, kNil, kDupe };

// "good", "busted-call", "busted-exchange", "nil", "dupe".
const char* PlantedFaultName(PlantedFault fault);

struct LineTruth {
  size_t line = 0;  // 1-based line in the log's text
  PlantedFault fault = PlantedFault::kGood;
  // The call really worked (busted call) or the exchange really sent
  // (busted exchange, serial of three digits and code); empty otherwise.
  std::string correct;
  bool workedSentLog = false;  // the station really worked sent a log
};

struct GeneratedLog {
  std::string call;
  std::string fileName;  // the call in lower case, '/' as '_', ".log"
  std::string multCode;  // sent after the serial
  // Minutes the log's clock is ahead: every time logged is the true time
  // plus this (and the jitter).
  int clockOffset = 0;
  std::string cabrillo;          // the whole log, LF line ends
  std::vector<LineTruth> lines;  // one per QSO line, in line order
};

// Generates the contest and hands each entrant's log to `write`, in the
// order of the calls. The same options give the same logs on every
// platform. Times are spread over the four tours, two minutes clear of the
// contest's edges; a pair of stations works each other again on one band
// and mode only two tours' length apart, so that no clock offset or jitter
// makes a dupe the truth does not know of. A busted call is one edit or a
// transposition from the call worked and the call of no station; a busted
// exchange has a serial one digit off or another code. Memory: about 50
// bytes per QSO, and one log's text at a time.
void GenerateContest(const ContestOptions& options,
                     const std::function<void(const GeneratedLog&)>& write);

// The group map of the contest's multiplier codes: "CODE GROUP" lines.
std::string ContestGroupMap();

// The truth of one log as CSV rows without a header:
// log,line,truth,correct,worked_sent_log.
std::string TruthCsvRows(const GeneratedLog& log);

}  // namespace tools
