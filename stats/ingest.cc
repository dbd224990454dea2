#include "stats/ingest.h"

#include <charconv>
#include <string_view>

#include "stats/tour.h"

namespace stats {
namespace {

const char kSeparator[] = "  ";

std::string ErrorLine(const QsoInput& q, std::string_view time, const char* reason) {
  std::string line = "QSO:  ";
  line += std::to_string(q.freqHz / 1000);
  for (std::string_view field :
       {q.mode, time, q.ownCall, q.rstSent, q.exchSent, q.call, q.rstRcvd, q.exchRcvd}) {
    line += kSeparator;
    line += field;
  }
  line += reason;
  return line;
}

}  // namespace

int32_t ResetContest(Contest& contest, const ResetInput& input, const ErrorReport& report) {
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
  const int32_t tour = TourOfHour(HourOf(qso.time), contest.startHour);
  contest.lastTour = tour;

  const char* reason = nullptr;
  if (qso.mode != "CW" && qso.mode != "SSB") {
    reason = "   NO TEST MODE !!!";
  } else if (qso.exchRcvd.empty() || qso.exchSent.empty()) {
    reason = "   NO RX NUMBER !!!";
  }
  if (reason != nullptr) {
    const std::string line = ErrorLine(qso, qso.time.Format("%Y-%m-%d %H%M"), reason);
    report.Append(&line);
    return 0;
  }
  // An accepted QSO writes no line, yet the report must be there after every
  // offer, as after a refusal: one deleted since the reset comes back,
  // empty. Looking the name up costs far less than opening the file.
  report.Append(nullptr);

  contest.bandList.AddIfNew(qso.band);
  InfoView record;
  // Generic, so that the member a value not kept as kCopied lacks is never
  // named.
  const auto keepCopied = [&qso](auto& kept) {
#define STATS_QSO_FIELD(name, kind, argument, reads, how) \
  if constexpr (how == kCopied) kept.name = qso.name;
#include "stats/host_fields.def"
  };
  keepCopied(record);
  record.tour = tour;
  record.freqKHz = static_cast<int32_t>(qso.freqHz / 1000);

  // The multiplier key: the code with the tour number after it.
  char tourDigits[16];
  const std::to_chars_result end =
      std::to_chars(std::begin(tourDigits), std::end(tourDigits), tour);
  std::string multKey(qso.multCode);
  multKey.append(tourDigits, end.ptr);
  record.multKey = multKey;

  contest.qsoStore.AppendIfNew(record);
  return 1;
}

// Whether RemoveData0 matches a stored record on the value `name`.
constexpr bool RemovalMatchesOn(std::string_view name) {
#define STATS_QSO_FIELD(field, kind, argument, reads, record) \
  if (name == #field) return reads == kMatchedByRemove;
#include "stats/host_fields.def"
  return false;
}

constexpr int kRemovalMatchCount = 0
#define STATS_QSO_FIELD(field, kind, argument, reads, record) +(reads == kMatchedByRemove)
#include "stats/host_fields.def"
    ;

int32_t RemoveQso(Contest& contest, const QsoInput& qso) {
  static_assert(kRemovalMatchCount == 3 && RemovalMatchesOn("call") && RemovalMatchesOn("mode") &&
                    RemovalMatchesOn("band"),
                "the store's removal lookup matches on call, mode and band");
  if (qso.exchRcvd.empty() || qso.exchSent.empty()) return 0;
  const std::ptrdiff_t index = contest.qsoStore.FindCallModeBand(qso.call, qso.mode, qso.band);
  if (index != QsoStore::kNotFound) {
    contest.qsoStore.RemoveAt(static_cast<std::size_t>(index));
  }
  return 1;
}

}  // namespace stats
