#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/adif_qso.h"

namespace tools {

struct LogGeneratorOptions {
  uint32_t seed = 1;
  size_t qsoCount = 300;
  std::string startDate = "2026-12-19";  // "YYYY-MM-DD" or "YYYYMMDD"
  int startHour = 12;                    // 0-23, UTC
  std::string ownCall = "UT9ZZQ";
  std::string ownMultCode = "KI";  // sent after the serial number
};

// A uniform draw from 0 to bound - 1 (0 when bound is 0) that depends only on the
// engine's 32-bit outputs, so a seed gives the same numbers with every
// standard library.
uint32_t DrawBelow(std::mt19937* engine, uint32_t bound);

// Generates a CQ UT CONTEST log of `options.qsoCount` QSOs, the same for the
// same options on every platform. QSOs are in time order over the eight hours
// (four tours of two hours) from the start hour, whole seconds, on 80m, 40m,
// 20m, 15m and 10m in CW and SSB with frequencies in the band's CW or SSB
// segment, runs on one band and mode at a time. The worked stations come from
// a pool of about three quarters of the QSO count (calls with Ukrainian
// prefixes, each with a fixed multiplier code among 26 and a group code
// G1-G5); about 2 in 100 stations send "RT" as their exchange, the others
// their own growing serial number and code ("015CD"). The sent exchange is
// the serial number of the QSO, at least three digits, and the own code.
// About 3 in 100 QSOs repeat an earlier call on the same band and mode, and
// about 3 in 100 would be refused by the plug-in: mode "RTTY", mode "cw", or
// an empty received exchange. Each QSO's multiplier code is
// MultCodeFromExchange of its received exchange.
//
// Fails, with the reason in `problem`, when the start date or hour is not
// valid or the contest would end after 9999-12-31.
bool GenerateContestLog(const LogGeneratorOptions& options, std::vector<AdifQso>* qsos,
                        std::string* problem);

}  // namespace tools
