#include "tools/replay_plan.h"

#include <fstream>
#include <iterator>

#include "tools/adif_reader.h"
#include "tools/adif_values.h"

namespace tools {
namespace {

bool IsDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The full hour of the first record's QSO time; the record has been mapped,
// so its date and time are known to be valid.
StatsDateTime HourOfFirstQso(const AdifRecord& first) {
  CivilDate date;
  TimeOfDay time;
  std::string ignored;
  ParseAdifDate(first.Get("QSO_DATE"), &date, &ignored);
  ParseAdifTime(first.Get("TIME_ON"), &time, &ignored);
  time.minute = 0;
  time.second = 0;
  return StatsDateTime{ToOleDate(date, time), 0};
}

}  // namespace

bool ReadLogFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool ParseContestStart(const std::string& text, StatsDateTime* start, std::string* problem) {
  const size_t first = text.find_first_not_of(' ');
  const size_t last = text.find_last_not_of(' ');
  const std::string trimmed =
      first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  const size_t blank = trimmed.rfind(' ');
  if (blank == std::string::npos) {
    *problem = "expected a date and an hour, like \"2026-12-19 12\"";
    return false;
  }
  const std::string date = trimmed.substr(0, trimmed.find_last_not_of(' ', blank) + 1);
  const std::string hourText = trimmed.substr(blank + 1);
  if (!IsDigits(hourText) || hourText.size() > 2 || std::stoi(hourText) > 23) {
    *problem = "hour \"" + hourText + "\" is not a whole hour 0-23";
    return false;
  }
  double ole = 0.0;
  if (!ContestStartToOle(date, std::stoi(hourText), &ole, problem)) return false;
  *start = StatsDateTime{ole, 0};
  return true;
}

bool PlanReplay(const std::string& adifText, const ReplayOptions& options, ReplayPlan* plan,
                std::string* problem) {
  std::vector<AdifRecord> records;
  AdifError error;
  if (!ReadAdif(adifText, &records, &error)) {
    *problem = error.ToString();
    return false;
  }
  plan->qsos.assign(records.size(), AdifQso());
  for (size_t i = 0; i < records.size(); ++i) {
    if (!AdifRecordToQso(records[i], options.fields, &plan->qsos[i], &error)) {
      *problem = error.ToString();
      return false;
    }
  }

  if (options.start) {
    plan->start = *options.start;
  } else if (!records.empty()) {
    plan->start = HourOfFirstQso(records.front());
  } else {
    plan->start = StatsDateTime{0.0, 2};
  }

  if (options.ownCall) {
    plan->ownCall = *options.ownCall;
  } else if (!records.empty()) {
    plan->ownCall = records.front().Get("STATION_CALLSIGN");
    if (plan->ownCall.empty()) plan->ownCall = records.front().Get("OPERATOR");
  }
  if (options.ownMultCode) {
    plan->ownMultCode = *options.ownMultCode;
  } else if (!plan->qsos.empty()) {
    plan->ownMultCode = MultCodeFromExchange(plan->qsos.front().exchSent);
  }
  plan->ownGroupCode = options.ownGroupCode;
  plan->cabrillo = options.cabrillo;
  return true;
}

}  // namespace tools
