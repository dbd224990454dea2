#include "stats/ingest.h"

#include <utility>

#include "stats/tour.h"

namespace stats {
namespace {

const char kSeparator[] = "  ";

std::string ErrorLine(const QsoInput& q, const std::string& time,
                      const char* reason) {
  std::string line = "QSO:  ";
  line += std::to_string(q.freqHz / 1000);
  for (const std::string* field :
       {&q.mode, &time, &q.ownCall, &q.rstSent, &q.exchSent, &q.call,
        &q.rstRcvd, &q.exchRcvd}) {
    line += kSeparator;
    line += *field;
  }
  line += reason;
  return line;
}

}  // namespace

int32_t ResetContest(Contest& contest, const ResetInput& input,
                     const ErrorReport& report) {
  contest.startHour = HourOf(input.start);
  contest.qsoStore.Clear();
  contest.bandList.Clear();
  contest.cabrilloFlag = input.cabrilloFlag;
  contest.ownGroupCode = input.ownGroupCode;
  contest.ownMultCode = input.ownMultCode;
  report.Start();
  return 1;
}

int32_t AddQso(Contest& contest, const QsoInput& qso, const ErrorReport& report) {
  return AddQso(contest, QsoInput(qso), report);
}

int32_t AddQso(Contest& contest, QsoInput&& qso, const ErrorReport& report) {
  CInfo record;
  record.m_time = qso.time;
  const int32_t tour = TourOfHour(HourOf(record.m_time), contest.startHour);
  contest.lastTour = tour;
  record.m_tour = tour;

  const char* reason = nullptr;
  if (qso.mode != "CW" && qso.mode != "SSB") {
    reason = "   NO TEST MODE !!!";
  } else if (qso.exchRcvd.empty() || qso.exchSent.empty()) {
    reason = "   NO RX NUMBER !!!";
  }
  if (reason != nullptr) {
    const std::string line = ErrorLine(qso, record.m_time.Format("%Y-%m-%d %H%M"), reason);
    report.Append(&line);
    return 0;
  }
  report.Append(nullptr);

  contest.bandList.AddIfNew(qso.band);
  record.m_call = std::move(qso.call);
  record.m_band = std::move(qso.band);
  record.m_mode = std::move(qso.mode);
  record.m_group = std::move(qso.group);
  record.m_rstRcvd = std::move(qso.rstRcvd);
  record.m_rstSent = std::move(qso.rstSent);
  record.m_exchRcvd = std::move(qso.exchRcvd);
  record.m_exchSent = std::move(qso.exchSent);
  record.m_multKey = std::move(qso.multCode) + std::to_string(tour);
  record.m_freqKHz = static_cast<int32_t>(qso.freqHz / 1000);

  contest.qsoStore.AppendIfNew(std::move(record));
  return 1;
}

int32_t RemoveQso(Contest& contest, const QsoInput& qso) {
  if (qso.exchRcvd.empty() || qso.exchSent.empty()) return 0;
  const std::ptrdiff_t index =
      contest.qsoStore.FindCallModeBand(qso.call, qso.mode, qso.band);
  if (index != QsoStore::kNotFound) {
    contest.qsoStore.RemoveAt(static_cast<std::size_t>(index));
  }
  return 1;
}

}  // namespace stats
