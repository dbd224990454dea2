#include "tools/logreplay/replay_plan.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>

#include "platform/utf8_files.h"
#include "stats/contest_facts.h"
#include "tools/adif/adif_reader.h"
#include "tools/adif/adif_values.h"

namespace tools {
namespace {

bool IsDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Larger than any contest log; keeps a device or a stray disk image from
// filling the memory.
constexpr size_t kMaxLogBytes = size_t{256} << 20;

constexpr long long kSecondsPerDay = 86400;
constexpr long long kSecondsOfFourTours = stats::kTourCount * stats::kTourHours * 3600LL;

// The full hour of a QSO time.
StatsDateTime HourOf(double ole) {
  CivilDate date;
  TimeOfDay time;
  OleToCivil(ole, &date, &time);
  return StatsDateTime{ToOleDate(date, TimeOfDay{time.hour, 0, 0}), kStatsDateValid};
}

long long SecondsOf(double ole) { return std::llround(ole * kSecondsPerDay); }

// A field named on the command line must occur in the log: a misspelt name
// would silently score every code as empty.
bool CheckFieldNamed(const char* option, const std::string& name,
                     const std::vector<AdifRecord>& records, std::string* problem) {
  if (name.empty()) return true;
  const std::string upper = AdifUpper(name);
  std::set<std::string> appFields;
  for (const AdifRecord& record : records) {
    if (record.Has(upper)) return true;
    for (const auto& field : record.fields) {
      if (field.first.rfind("APP_", 0) == 0) appFields.insert(field.first);
    }
  }
  *problem = std::string(option) + " " + upper + ": no record carries this field; ";
  if (appFields.empty()) {
    *problem += "the log has no application-defined (APP_) fields";
  } else {
    *problem += "the log's application-defined fields are";
    for (const std::string& field : appFields) *problem += " " + field;
  }
  return false;
}

// Settles an own value: the option when given, else `derived` taken from
// the log, which must not be empty.
bool TakeOwnValue(const std::optional<std::string>& option, const std::string& derived,
                  const std::string& source, const std::string& whyMissing, PlanSetting* setting,
                  std::string* problem) {
  if (option) {
    setting->value = UpperTrimmed(*option);
  } else if (derived.empty()) {
    *problem = setting->name + ": " + whyMissing;
    return false;
  } else {
    setting->value = derived;
    setting->source = source;
  }
  return true;
}

// One line per kind of QSO whose time the tours do not cover as the log
// suggests, with the count and the first record.
void AddTimingWarnings(const std::vector<AdifQso>& qsos,
                       const std::vector<const AdifRecord*>& sources, const StatsDateTime& start,
                       std::vector<std::string>* warnings) {
  const long long startSecond = SecondsOf(start.value);
  const std::string startText = FormatStart(start);
  struct Kind {
    std::string what;
    size_t count = 0;
    size_t firstRecord = 0;
  };
  const StatsDateTime toursEnd{start.value + kSecondsOfFourTours / double(kSecondsPerDay),
                               kStatsDateValid};
  Kind kinds[] = {{"before the contest start " + startText},
                  {"after the four tours (from " + FormatStart(toursEnd) + " on)"},
                  {"on another day than the start " + startText.substr(0, 10) +
                   " (the tours follow the hour only)"}};
  for (size_t i = 0; i < qsos.size(); ++i) {
    const long long second = SecondsOf(qsos[i].time);
    const bool hits[] = {second < startSecond, second >= startSecond + kSecondsOfFourTours,
                         second / kSecondsPerDay != startSecond / kSecondsPerDay};
    for (size_t k = 0; k < 3; ++k) {
      if (!hits[k]) continue;
      if (kinds[k].count++ == 0) kinds[k].firstRecord = sources[i]->number;
    }
  }
  for (const Kind& kind : kinds) {
    if (kind.count == 0) continue;
    warnings->push_back(std::to_string(kind.count) + (kind.count == 1 ? " QSO " : " QSOs ") +
                        kind.what + ", the first in record " + std::to_string(kind.firstRecord));
  }
}

// Puts the QSOs (and their records alongside) in time order, equal times in
// log order, as the host's log holds them. The QSOs that had to move are
// those outside a longest run already in order: with one QSO misplaced, one
// moved, not every QSO it passed.
PlanSetting PutInTimeOrder(std::vector<AdifQso>* qsos, std::vector<const AdifRecord*>* sources,
                           std::vector<std::string>* warnings) {
  const size_t count = qsos->size();
  std::vector<size_t> order(count);
  for (size_t i = 0; i < count; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return (*qsos)[a].time < (*qsos)[b].time; });
  // The longest subsequence of file positions that is increasing in time
  // order: the QSOs in it stay where they are relative to each other.
  std::vector<size_t> tails;  // positions in `order`, by run length
  std::vector<size_t> previous(count, count);
  for (size_t k = 0; k < count; ++k) {
    const auto at = std::lower_bound(tails.begin(), tails.end(), order[k],
                                     [&](size_t tail, size_t file) { return order[tail] < file; });
    if (at != tails.begin()) previous[k] = *(at - 1);
    if (at == tails.end()) {
      tails.push_back(k);
    } else {
      *at = k;
    }
  }
  std::vector<bool> stays(count, false);
  for (size_t k = tails.empty() ? count : tails.back(); k < count; k = previous[k]) {
    stays[order[k]] = true;
  }
  size_t moved = 0;
  size_t firstMovedRecord = 0;
  for (size_t i = 0; i < count; ++i) {
    if (stays[i]) continue;
    if (moved++ == 0) firstMovedRecord = (*sources)[i]->number;
  }
  PlanSetting setting{"QSO order", "time order", "the log's own order"};
  if (moved == 0) return setting;

  std::vector<AdifQso> sortedQsos;
  std::vector<const AdifRecord*> sortedSources;
  sortedQsos.reserve(count);
  sortedSources.reserve(count);
  for (size_t i : order) {
    sortedQsos.push_back(std::move((*qsos)[i]));
    sortedSources.push_back((*sources)[i]);
  }
  *qsos = std::move(sortedQsos);
  *sources = std::move(sortedSources);
  const std::string what = std::to_string(moved) +
                           (moved == 1 ? " record moved" : " records moved") +
                           ", the first of them record " + std::to_string(firstMovedRecord);
  setting.source = "sorted by QSO time: " + what;
  warnings->push_back("the log is not in time order: its QSOs are offered in time order (" + what +
                      ")");
  return setting;
}

// A QSO without a multiplier code still counts for the plug-in, with the
// empty code as its multiplier: said once per record, as it is rarely meant.
// An empty received exchange is left to the plug-in, which refuses it.
void AddMissingCodeWarnings(const std::vector<AdifQso>& qsos,
                            const std::vector<const AdifRecord*>& sources,
                            const AdifQsoFields& fields, std::vector<std::string>* warnings) {
  for (size_t i = 0; i < qsos.size(); ++i) {
    if (!qsos[i].multCode.empty() || qsos[i].exchRcvd.empty()) continue;
    const std::string where =
        fields.multField.empty()
            ? "its received exchange \"" + qsos[i].exchRcvd + "\" has no letters after its digits"
            : "its field " + AdifUpper(fields.multField) + " is empty or missing";
    warnings->push_back("record " + std::to_string(sources[i]->number) + " (" + qsos[i].call +
                        "): no multiplier code, " + where +
                        "; the plug-in counts the empty code as a multiplier");
  }
}

}  // namespace

bool ReadLogFile(const std::string& path, std::string* text, std::string* problem) {
  std::error_code code;
  if (std::filesystem::is_directory(std::filesystem::u8path(path), code)) {
    *problem = "is a folder, not a log file";
    return false;
  }
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::OpenFileUtf8(path, "rb"),
                                                       std::fclose);
  if (file == nullptr) {
    *problem = std::string("cannot open the file: ") + std::strerror(errno);
    return false;
  }
  text->clear();
  char buffer[1 << 16];
  for (;;) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    text->append(buffer, got);
    if (text->size() > kMaxLogBytes) {
      *problem = "larger than " + std::to_string(kMaxLogBytes >> 20) + " MB, not a contest log";
      return false;
    }
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    *problem = std::string("cannot read the file: ") + std::strerror(errno);
    return false;
  }
  return true;
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
  *start = StatsDateTime{ole, kStatsDateValid};
  return true;
}

std::string FormatStart(const StatsDateTime& start) {
  CivilDate date;
  TimeOfDay time;
  OleToCivil(start.value, &date, &time);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", date.year, date.month, date.day,
                time.hour, time.minute);
  return text;
}

bool PlanReplay(const std::string& adifText, const ReplayOptions& options, ReplayPlan* plan,
                std::string* problem) {
  std::vector<AdifRecord> records;
  AdifError error;
  if (!ReadAdif(adifText, &records, &error)) {
    *problem = error.ToString();
    return false;
  }
  if (!CheckFieldNamed("--mult-field", options.fields.multField, records, problem) ||
      !CheckFieldNamed("--group-field", options.fields.groupField, records, problem)) {
    return false;
  }

  *plan = ReplayPlan();
  plan->cabrillo = options.cabrillo;
  std::vector<const AdifRecord*> sources;  // the record of each QSO
  for (const AdifRecord& record : records) {
    AdifQso qso;
    if (AdifRecordToQso(record, options.fields, &qso, &error)) {
      plan->qsos.push_back(qso);
      sources.push_back(&record);
    } else if (options.skipBad) {
      plan->warnings.push_back(error.ToString() + "; record skipped");
    } else {
      *problem = error.ToString();
      return false;
    }
  }
  if (plan->qsos.empty()) {
    *problem =
        records.empty() ? "the log holds no QSO records" : "every record of the log was skipped";
    return false;
  }
  const PlanSetting order = PutInTimeOrder(&plan->qsos, &sources, &plan->warnings);
  AddMissingCodeWarnings(plan->qsos, sources, options.fields, &plan->warnings);
  const AdifRecord& first = *sources.front();
  const std::string firstRecord = "record " + std::to_string(first.number);

  const char* callField = first.Get("STATION_CALLSIGN").empty() ? "OPERATOR" : "STATION_CALLSIGN";
  const std::string& sent = plan->qsos.front().exchSent;
  PlanSetting call{"own call", "", "option --own-call"};
  PlanSetting mult{"own multiplier code", "", "option --own-mult"};
  if (!TakeOwnValue(options.ownCall, UpperTrimmed(first.Get(callField)),
                    std::string("log field ") + callField + ", " + firstRecord,
                    firstRecord + " has neither STATION_CALLSIGN nor OPERATOR; give it with "
                                  "--own-call",
                    &call, problem) ||
      !TakeOwnValue(options.ownMultCode, MultCodeFromExchange(sent),
                    "derived from the sent exchange " + sent + ", " + firstRecord,
                    "the sent exchange \"" + sent + "\" of " + firstRecord +
                        " has no letters after its digits; give it with --own-mult",
                    &mult, problem)) {
    return false;
  }

  PlanSetting group{"own group code", "", "option --own-group"};
  if (options.ownGroupCode) {
    group.value = UpperTrimmed(*options.ownGroupCode);
  } else if (!options.fields.groupField.empty()) {
    *problem =
        "own group code: the log does not tell it; give it with --own-group when "
        "naming --group-field";
    return false;
  } else {
    group.source = "no --own-group";
  }

  PlanSetting start{"contest start", "", "option --start"};
  if (options.start) {
    plan->start = *options.start;
  } else {
    plan->start = HourOf(plan->qsos.front().time);
    start.source = "derived: the hour of the first QSO, " + firstRecord;
  }
  start.value = FormatStart(plan->start) + " UTC";

  PlanSetting multCodes{"multiplier codes", "", "option --mult-field"};
  if (options.fields.multField.empty()) {
    multCodes.value = "from each received exchange";
    multCodes.source = "the letters after its digits";
  } else {
    multCodes.value = "log field " + AdifUpper(options.fields.multField);
  }
  PlanSetting groupCodes{"group codes", "", "option --group-field"};
  if (options.fields.groupField.empty()) {
    groupCodes.source = "no --group-field";
  } else {
    groupCodes.value = "log field " + AdifUpper(options.fields.groupField);
  }

  plan->ownCall = call.value;
  plan->ownMultCode = mult.value;
  plan->ownGroupCode = group.value;
  plan->settings = {call, mult, group, start, order, multCodes, groupCodes};

  if (options.fields.groupField.empty()) {
    plan->warnings.push_back(
        group.value.empty()
            ? "no --group-field: every group code is empty and equals the empty own group, so "
              "every QSO without the own multiplier key scores 30 points"
            : "no --group-field: every group code is empty and differs from the own group " +
                  group.value + ", so no QSO scores as the own group");
  }
  AddTimingWarnings(plan->qsos, sources, plan->start, &plan->warnings);
  return true;
}

}  // namespace tools
