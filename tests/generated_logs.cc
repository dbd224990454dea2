#include "tests/generated_logs.h"

#include <cmath>
#include <cstdio>

#include "bench/contest_log.h"
#include "platform/clock.h"
#include "tools/adif_values.h"
#include "tools/log_generator.h"

namespace testing_support {
namespace {

QsoInput Input(const std::string& ownCall, const std::string& call, double time,
               uint32_t freqHz, const std::string& mode, const std::string& rstSent,
               const std::string& rstRcvd, const std::string& exchSent,
               const std::string& exchRcvd, const std::string& multCode,
               const std::string& group, const std::string& band) {
  QsoInput q;
  q.ownCall = ownCall;
  q.call = call;
  q.time = COleDateTime(time, COleDateTime::valid);
  q.freqHz = freqHz;
  q.mode = mode;
  q.rstSent = rstSent;
  q.rstRcvd = rstRcvd;
  q.exchSent = exchSent;
  q.exchRcvd = exchRcvd;
  q.multCode = multCode;
  q.group = group;
  q.band = band;
  return q;
}

void SparseQsos(uint32_t seed, std::size_t count, double start, GeneratedLog* log) {
  CalendarFields day;
  OleDateToCalendar(start, &day);
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.year, day.month, day.day);
  tools::LogGeneratorOptions options;
  options.seed = seed;
  options.qsoCount = count;
  options.startDate = date;
  options.startHour = day.hour;
  options.ownCall = log->ownCall;
  options.ownMultCode = log->ownMultCode;
  std::vector<tools::AdifQso> qsos;
  std::string problem;
  if (!tools::GenerateContestLog(options, &qsos, &problem)) return;
  for (const tools::AdifQso& q : qsos) {
    log->qsos.push_back(Input(log->ownCall, q.call, q.time, q.freqHz, q.mode, q.rstSent,
                              q.rstRcvd, q.exchSent, q.exchRcvd, q.multCode, q.group, q.band));
  }
}

void DenseQsos(uint32_t seed, std::size_t count, double start, GeneratedLog* log) {
  bench::ContestLogOptions options;
  options.seed = seed;
  options.qsoCount = count;
  options.stationCount = 60 + count / 20;
  options.multCodeCount = 12;
  options.start = start;
  options.ownCall = log->ownCall;
  options.ownMultCode = log->ownMultCode;
  bench::ContestLog source(options);
  bench::LoggedQso q;
  while (source.Next(&q)) {
    log->qsos.push_back(Input(log->ownCall, q.call, q.time, q.freqHz, q.mode, q.rstSent,
                              q.rstRcvd, q.exchSent, q.exchRcvd, q.multCode, q.group, q.band));
  }
}

}  // namespace

GeneratedLog GenerateLog(LogKind kind, uint32_t seed, std::size_t count, double start) {
  GeneratedLog log;
  log.ownCall = "UT9ZZQ";
  log.ownMultCode = "KI";
  log.ownGroupCode = "G3";
  log.start = COleDateTime(start, COleDateTime::valid);
  if (kind == LogKind::kSparse) {
    SparseQsos(seed, count, start, &log);
  } else {
    DenseQsos(seed, count, start, &log);
  }
  return log;
}

double TwoHoursAgo() {
  const platform::UtcTime now = platform::SystemClock().NowUtc();
  const double hour = tools::ToOleDate(tools::CivilDate{now.year, now.month, now.day},
                                       tools::TimeOfDay{now.hour, 0, 0});
  return hour - 2.0 / 24.0;
}

}  // namespace testing_support
