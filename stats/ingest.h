#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/framework/ole_date_time.h"
#include "stats/contest.h"
#include "stats/error_report.h"
#include "stats/qso_fields.h"

namespace stats {

// The member types of the structs made from the lists of stats/qso_fields.h,
// by the type of their texts.
template <typename TextType>
struct FieldTypes {
  using Text = TextType;
  using Time = platform::COleDateTime;
  using Hz = uint32_t;
  using Flag = int32_t;
};

// What a reset reads from the host, its texts copies that the contest
// keeps. The own call is read only with the Cabrillo flag set, and only by
// the Cabrillo header step.
using ResetInput = ResetFields<FieldTypes<std::string>>;

// What ingest and removal read of one QSO, its texts as views of the host's,
// which stay put for the call. Removal reads only the fields that
// RemoveData0 reads (call, mode, the two exchanges and band).
using QsoInput = QsoFields<FieldTypes<std::string_view>>;

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
