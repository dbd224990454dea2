#include "tests/generated_logs.h"

#include "platform/plugin/clock.h"
#include "tools/adif/adif_values.h"
#include "tools/adif/log_generator.h"
#include "tools/host/plugin_host.h"

using platform::COleDateTime;
using stats::QsoInput;

namespace testing_support {

QsoInput InputOf(const OwnedQso& qso) {
  QsoInput in;
  stats::ConvertQso(
      qso, &in, [](const auto& value) -> const auto& { return value; });
  return in;
}

tools::QsoCallArgs CallArgsOf(const OwnedQso& qso, bool nullTime) {
  struct ArgOf {
    const char* operator()(const std::string& text) const { return text.c_str(); }
    tools::DateTimeArg operator()(const COleDateTime& time) const {
      return StatsDateTime{time.m_dt, time.m_status};
    }
    uint32_t operator()(uint32_t value) const { return value; }
  };
  tools::QsoCallArgs args;
  stats::ConvertQso(qso, &args, ArgOf{});
  if (nullTime) args.time = nullptr;
  return args;
}

OwnedQso OwnedOf(const std::string& ownCall, const tools::AdifQso& q) {
  struct ValueOf {
    std::string operator()(const char* text) const { return text; }
    COleDateTime operator()(const tools::DateTimeArg& time) const {
      return COleDateTime(time.Pointer()->value, time.Pointer()->status);
    }
    uint32_t operator()(uint32_t value) const { return value; }
  };
  OwnedQso owned;
  stats::ConvertQso(tools::CallArgsOf(ownCall, q), &owned, ValueOf{});
  return owned;
}

namespace {

// Every kTwinEvery-th QSO is followed by its near twin: the same QSO with
// one of the host's values changed, each value in turn. The linear model's
// duplicate rule compares every value the record keeps, so a value that the
// plug-in's equality leaves out shows as a record too few.
constexpr std::size_t kTwinEvery = 23;

void Change(std::string& text) { text = text == "CW" ? "SSB" : text == "SSB" ? "CW" : text + "X"; }
void Change(COleDateTime& time) { time.m_dt += 1.0 / 1440.0; }
void Change(uint32_t& hz) { hz += 1000; }

OwnedQso NearTwin(OwnedQso q, int which) {
  int field = 0;
#define STATS_QSO_FIELD(name, ...) \
  if (field++ == which) Change(q.name);
#include "stats/host_fields.def"
  return q;
}

}  // namespace

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
  while (source.Next(&q)) {
    log.qsos.push_back(OwnedOf(log.ownCall, q));
    if (log.qsos.size() % kTwinEvery == 0) {
      const int which = static_cast<int>(log.qsos.size() / kTwinEvery % stats::kQsoFieldCount);
      log.qsos.push_back(NearTwin(log.qsos.back(), which));
    }
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
