#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// What ingest and removal read of one QSO: views of the host's texts, which
// stay put for the call. Removal reads only call, mode, the two exchanges
// and band.
struct QsoInput {
  std::string_view ownCall;
  std::string_view call;
  platform::COleDateTime time;
  uint32_t freqHz = 0;
  std::string_view mode;
  std::string_view rstSent;
  std::string_view rstRcvd;
  std::string_view exchSent;
  std::string_view exchRcvd;
  std::string_view multCode;
  std::string_view group;
  std::string_view band;
};

// Sets the start hour, empties the store and the band list, takes the
// Cabrillo flag and the own codes, and starts the error report. Returns 1.
int32_t ResetContest(Contest& contest, const ResetInput& input, const ErrorReport& report);

// Offers one QSO: 1 when it is stored or an equal record is stored already,
// 0 when it is refused (and a line names it in the error report). Sets the
// last tour whatever the outcome.
int32_t AddQso(Contest& contest, const QsoInput& qso, const ErrorReport& report);

// Removes the first stored record with the QSO's call, mode and band.
// Returns 0 when either exchange is empty (and removes nothing), else 1.
int32_t RemoveQso(Contest& contest, const QsoInput& qso);

}  // namespace stats
