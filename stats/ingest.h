#pragma once

#include <cstdint>
#include <string>

#include "platform/ole_date_time.h"
#include "stats/contest.h"
#include "stats/error_report.h"

namespace stats {

// What a reset reads from the host.
struct ResetInput {
  int32_t cabrilloFlag = 0;
  platform::COleDateTime start;
  std::string ownMultCode;
  std::string ownGroupCode;
};

// What ingest and removal read of one QSO. Removal reads only call, mode,
// the two exchanges and band.
struct QsoInput {
  std::string ownCall;
  std::string call;
  platform::COleDateTime time;
  uint32_t freqHz = 0;
  std::string mode;
  std::string rstSent;
  std::string rstRcvd;
  std::string exchSent;
  std::string exchRcvd;
  std::string multCode;
  std::string group;
  std::string band;
};

// Sets the start hour, empties the store and the band list, takes the
// Cabrillo flag and the own codes, and starts the error report. Returns 1.
int32_t ResetContest(Contest& contest, const ResetInput& input,
                     const ErrorReport& report);

// Offers one QSO: 1 when it is stored or an equal record is stored already,
// 0 when it is refused (and a line names it in the error report). Sets the
// last tour whatever the outcome.
int32_t AddQso(Contest& contest, const QsoInput& qso, const ErrorReport& report);
// The same, taking the QSO's texts over instead of copying them.
int32_t AddQso(Contest& contest, QsoInput&& qso, const ErrorReport& report);

// Removes the first stored record with the QSO's call, mode and band.
// Returns 0 when either exchange is empty (and removes nothing), else 1.
int32_t RemoveQso(Contest& contest, const QsoInput& qso);

}  // namespace stats
