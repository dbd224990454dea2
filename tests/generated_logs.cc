#include "tests/generated_logs.h"

#include "platform/clock.h"
#include "tools/adif/adif_values.h"
#include "tools/adif/log_generator.h"

using platform::COleDateTime;
using stats::QsoInput;

namespace testing_support {

QsoInput OwnedQso::Input() const {
  QsoInput in;
  in.ownCall = ownCall;
  in.call = call;
  in.time = time;
  in.freqHz = freqHz;
  in.mode = mode;
  in.rstSent = rstSent;
  in.rstRcvd = rstRcvd;
  in.exchSent = exchSent;
  in.exchRcvd = exchRcvd;
  in.multCode = multCode;
  in.group = group;
  in.band = band;
  return in;
}

OwnedQso OwnedOf(const std::string& ownCall, const tools::AdifQso& q) {
  OwnedQso in;
  in.ownCall = ownCall;
  in.call = q.call;
  in.time = COleDateTime(q.time, COleDateTime::valid);
  in.freqHz = q.freqHz;
  in.mode = q.mode;
  in.rstSent = q.rstSent;
  in.rstRcvd = q.rstRcvd;
  in.exchSent = q.exchSent;
  in.exchRcvd = q.exchRcvd;
  in.multCode = q.multCode;
  in.group = q.group;
  in.band = q.band;
  return in;
}

GeneratedLog GenerateLog(LogKind kind, uint32_t seed, std::size_t count, double start) {
  GeneratedLog log;
  log.ownCall = "UT9ZZQ";
  log.ownMultCode = "KI";
  log.ownGroupCode = "G3";
  log.start = COleDateTime(start, COleDateTime::valid);
  tools::ContestLogOptions options;
  options.seed = seed;
  options.qsoCount = count;
  options.start = start;
  options.ownCall = log.ownCall;
  options.ownMultCode = log.ownMultCode;
  if (kind == LogKind::kDense) {
    options.stationCount = 60 + count / 20;
    options.multCodeCount = 12;
  }
  tools::ContestLog source(options);
  tools::AdifQso q;
  while (source.Next(&q)) log.qsos.push_back(OwnedOf(log.ownCall, q));
  return log;
}

double TwoHoursAgo() {
  const platform::UtcTime now = platform::SystemClock().NowUtc();
  const double hour = tools::ToOleDate(tools::CivilDate{now.year, now.month, now.day},
                                       tools::TimeOfDay{now.hour, 0, 0});
  return hour - 2.0 / 24.0;
}

}  // namespace testing_support
