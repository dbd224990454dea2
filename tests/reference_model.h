#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/plugin/clock.h"
#include "stats/call_check.h"
#include "stats/store/info.h"
#include "stats/ingest.h"

namespace testing_support {

// The contest rules as they are written, one linear scan per rule from
// index 0: the yardstick that the plug-in's indexes must match byte for
// byte. Holds the module state of one loaded plug-in (store, band list,
// contest values) and the content the error report must have, without
// touching any file.
class LinearModel {
 public:
  // ResetStats0 up to the Cabrillo header step.
  int32_t Reset(const stats::ResetInput& input);
  // AddData0.
  int32_t Add(const stats::QsoInput& qso);
  // RemoveData0.
  int32_t Remove(const stats::QsoInput& qso);
  // CheckCall0 at the clock reading `now` (hour and minute serve for both
  // the UTC and the local reading).
  int32_t CheckCall(const stats::CallProbe& probe, const platform::UtcTime& now) const;
  // GetResult0 up to the score line: the results text without the credit
  // after it. Writes the per-QSO results into the model's records and
  // returns the score.
  int32_t Results(std::string* text);

  // Someone deleted the error report: the next ingest starts a new one.
  void ErrorReportDeleted() { m_errorReport.clear(); }
  // The bytes the error report must hold now.
  const std::string& ErrorReport() const { return m_errorReport; }
  const std::vector<stats::CInfo>& Store() const { return m_store; }

 private:
  int32_t TourOf(int32_t hour) const;
  void ScoreRow(const std::string& label, int32_t* qsos, int64_t* points, int32_t* cw,
                int32_t* ssb);

  std::vector<stats::CInfo> m_store;
  std::vector<std::string> m_bands;
  int32_t m_startHour = 0;
  int32_t m_lastTour = 0;
  std::string m_ownMultCode;
  std::string m_ownGroupCode;
  std::string m_errorReport;
};

}  // namespace testing_support
