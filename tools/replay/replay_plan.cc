#include "tools/replay/replay_plan.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <unordered_map>

#include "platform/tools/utf8_files.h"
#include "stats/contest_facts.h"
#include "tools/adif/adif_reader.h"
#include "tools/adif/adif_values.h"
#include "tools/adif/log_text.h"
#include "tools/cabrillo_input/cabrillo_input.h"

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
constexpr long long kSecondsOfTours = stats::kTourCount * stats::kTourHours * 3600LL;

// Where a QSO stands in the log, and the own call it names.
struct Source {
  size_t place = 0;         // record number (ADIF) or line number (Cabrillo)
  std::string ownCall;      // upper case; empty when it names none
  std::string ownCallFrom;  // "log field OPERATOR, record 3"
};

// How a log's places are named: "record 3", "line 25".
struct Places {
  const char* noun;  // "record", "line"
  std::string At(size_t place) const { return noun + (" " + std::to_string(place)); }
  std::string Count(size_t count) const {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
  }
};

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
void AddTimingWarnings(const std::vector<AdifQso>& qsos, const std::vector<Source>& sources,
                       const Places& places, const StatsDateTime& start,
                       std::vector<std::string>* warnings) {
  const long long startSecond = SecondsOf(start.value);
  const std::string startText = FormatStart(start);
  struct Kind {
    std::string what;
    size_t count = 0;
    size_t firstRecord = 0;
  };
  const StatsDateTime toursEnd{start.value + kSecondsOfTours / double(kSecondsPerDay),
                               kStatsDateValid};
  Kind kinds[] = {{"before the contest start " + startText},
                  {"after the last tour (from " + FormatStart(toursEnd) + " on)"},
                  {"on another day than the start " + startText.substr(0, 10) +
                   " (the tours follow the hour only)"}};
  for (size_t i = 0; i < qsos.size(); ++i) {
    const long long second = SecondsOf(qsos[i].time);
    const bool hits[] = {second < startSecond, second >= startSecond + kSecondsOfTours,
                         second / kSecondsPerDay != startSecond / kSecondsPerDay};
    for (size_t k = 0; k < 3; ++k) {
      if (!hits[k]) continue;
      if (kinds[k].count++ == 0) kinds[k].firstRecord = sources[i].place;
    }
  }
  for (const Kind& kind : kinds) {
    if (kind.count == 0) continue;
    warnings->push_back(std::to_string(kind.count) + (kind.count == 1 ? " QSO " : " QSOs ") +
                        kind.what + ", the first in " + places.At(kind.firstRecord));
  }
}

// Puts the QSOs (and their records alongside) in time order, equal times in
// log order, as the host's log holds them. The QSOs that had to move are
// those outside a longest run already in order: with one QSO misplaced, one
// moved, not every QSO it passed.
PlanSetting PutInTimeOrder(std::vector<AdifQso>* qsos, std::vector<Source>* sources,
                           const Places& places, std::vector<std::string>* warnings) {
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
    if (moved++ == 0) firstMovedRecord = (*sources)[i].place;
  }
  PlanSetting setting{"QSO order", "time order", "the log's own order"};
  if (moved == 0) return setting;

  std::vector<AdifQso> sortedQsos;
  std::vector<Source> sortedSources;
  sortedQsos.reserve(count);
  sortedSources.reserve(count);
  for (size_t i : order) {
    sortedQsos.push_back(std::move((*qsos)[i]));
    sortedSources.push_back(std::move((*sources)[i]));
  }
  *qsos = std::move(sortedQsos);
  *sources = std::move(sortedSources);
  const std::string what =
      places.Count(moved) + " moved, the first of them " + places.At(firstMovedRecord);
  setting.source = "sorted by QSO time: " + what;
  warnings->push_back("the log is not in time order: its QSOs are offered in time order (" + what +
                      ")");
  return setting;
}

// A QSO without a multiplier code still counts for the plug-in, with the
// empty code as its multiplier: said once per record, as it is rarely meant.
// An empty received exchange is left to the plug-in, which refuses it.
// "12:03:10", the time of day of a second count.
std::string ClockWithSeconds(long long second) {
  const long long ofDay = second % kSecondsPerDay;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(ofDay / 3600), int(ofDay / 60 % 60),
                int(ofDay % 60));
  return text;
}

// A value of a QSO in the key of AddSecondsOnlyWarning: the time by its
// minute, every other value as it is.
void AddToSecondsKey(const std::string& text, std::string* key) { *key += text + '\x1f'; }
void AddToSecondsKey(uint32_t hz, std::string* key) { *key += std::to_string(hz) + '\x1f'; }
void AddToSecondsKey(double time, std::string* key) {
  *key += std::to_string(SecondsOf(time) / 60) + '\x1f';
}

// One line when QSOs differ from an earlier one only in the seconds of
// their time: the plug-in stores both, but a Cabrillo log keeps minutes and
// turns them into one QSO offered twice, which counts once.
void AddSecondsOnlyWarning(const std::vector<AdifQso>& qsos, const std::vector<Source>& sources,
                           const Places& places, std::vector<std::string>* warnings) {
  std::unordered_map<std::string, long long> firstSecond;  // by minute and values
  size_t count = 0;
  std::string example;
  for (size_t i = 0; i < qsos.size(); ++i) {
    const AdifQso& q = qsos[i];
    const long long second = SecondsOf(q.time);
    std::string key;
#define STATS_QSO_FIELD(name, ...) AddToSecondsKey(q.name, &key);
#include "stats/host_fields.def"
    const auto [earlier, isNew] = firstSecond.emplace(std::move(key), second);
    if (isNew || earlier->second == second) continue;
    if (count++ == 0) {
      example = places.At(sources[i].place) + " (" + q.call + " at " +
                ClockWithSeconds(earlier->second) + " and " + ClockWithSeconds(second) + ")";
    }
  }
  if (count == 0) return;
  warnings->push_back(std::to_string(count) + (count == 1 ? " QSO differs" : " QSOs differ") +
                      " from an earlier one only in the seconds of the time, the first " + example +
                      ": both count here, but a Cabrillo log keeps minutes, so scored from it "
                      "they count once (a double entry?)");
}

// A serial longer than any contest reaches is most likely two values run
// together; the plug-in scores it as it stands, up to its largest score.
constexpr size_t kMaxSerialDigits = 6;

size_t LeadingDigits(const std::string& exchange) {
  size_t digits = 0;
  while (digits < exchange.size() && exchange[digits] >= '0' && exchange[digits] <= '9') ++digits;
  return digits;
}

// One line for the QSOs whose sent or received exchange begins with a
// serial longer than kMaxSerialDigits, naming the first.
void AddLongSerialWarning(const std::vector<AdifQso>& qsos, const std::vector<Source>& sources,
                          const Places& places, std::vector<std::string>* warnings) {
  size_t count = 0;
  std::string example;
  for (size_t i = 0; i < qsos.size(); ++i) {
    const AdifQso& q = qsos[i];
    const std::string* longer = LeadingDigits(q.exchRcvd) > kMaxSerialDigits   ? &q.exchRcvd
                                : LeadingDigits(q.exchSent) > kMaxSerialDigits ? &q.exchSent
                                                                               : nullptr;
    if (longer == nullptr || count++ != 0) continue;
    example = places.At(sources[i].place) + " (" + q.call + ", " +
              (longer == &q.exchRcvd ? "received" : "sent") + " exchange \"" + *longer + "\")";
  }
  if (count == 0) return;
  warnings->push_back(std::to_string(count) + (count == 1 ? " QSO has" : " QSOs have") +
                      " a serial of more than " + std::to_string(kMaxSerialDigits) +
                      " digits, the first " + example +
                      ": the plug-in scores it as it stands (two values run together?)");
}

void AddMissingCodeWarnings(const std::vector<AdifQso>& qsos, const std::vector<Source>& sources,
                            const Places& places, const AdifQsoFields& fields,
                            std::vector<std::string>* warnings) {
  for (size_t i = 0; i < qsos.size(); ++i) {
    if (!qsos[i].multCode.empty() || qsos[i].exchRcvd.empty()) continue;
    const std::string where =
        fields.multField.empty()
            ? "its received exchange \"" + qsos[i].exchRcvd + "\" has no letters after its digits"
            : "its field " + AdifUpper(fields.multField) + " is empty or missing";
    warnings->push_back(places.At(sources[i].place) + " (" + qsos[i].call +
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

namespace {

// The QSOs of an ADIF log, each with its record, in file order.
bool ReadAdifQsos(const std::string& text, const ReplayOptions& options, ReplayPlan* plan,
                  std::vector<Source>* sources, std::string* problem) {
  std::vector<AdifRecord> records;
  AdifError error;
  std::vector<AdifError> unended;
  if (!ReadAdif(text, &records, &error, &unended)) {
    *problem = error.ToString();
    return false;
  }
  for (const AdifError& warning : unended) plan->warnings.push_back(warning.ToString());
  if (!CheckFieldNamed("--mult-field", options.fields.multField, records, problem) ||
      !CheckFieldNamed("--group-field", options.fields.groupField, records, problem)) {
    return false;
  }
  for (const AdifRecord& record : records) {
    AdifQso qso;
    if (AdifRecordToQso(record, options.fields, &qso, &error)) {
      plan->qsos.push_back(qso);
      const char* field = record.Get("STATION_CALLSIGN").empty() ? "OPERATOR" : "STATION_CALLSIGN";
      sources->push_back(
          Source{record.number, UpperTrimmed(record.Get(field)),
                 std::string("log field ") + field + ", record " + std::to_string(record.number)});
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
  return true;
}

// A claimed score: a whole number of at most kMaxClaimedDigits digits,
// optionally negative, its thousands grouped or not ("1513", "1,513",
// "1 513", "1.513", "1'513": one separator throughout, three digits after
// each). A score is whole, so "1.513" can only be grouped; "1.5" is no
// number.
constexpr size_t kMaxClaimedDigits = 18;  // below the range of long long

bool ParseClaimedScore(const std::string& text, long long* score) {
  const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
  std::string digits;
  char separator = 0;
  size_t group = 0;  // digits since the last separator
  for (size_t i = first; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits += c;
      ++group;
      continue;
    }
    const bool groupsBefore = separator == 0 ? group >= 1 && group <= 3 : group == 3;
    if ((separator != 0 && c != separator) || !groupsBefore ||
        std::string(", .'").find(c) == std::string::npos) {
      return false;
    }
    separator = c;
    group = 0;
  }
  if (digits.empty() || digits.size() > kMaxClaimedDigits || (separator != 0 && group != 3)) {
    return false;
  }
  *score = std::stoll(digits) * (first == 1 ? -1 : 1);
  return true;
}

// The QSO lines of a Cabrillo log, each with its line, in file order; the
// log's kind and contest as the first setting.
bool ReadCabrilloQsos(const std::string& text, const ReplayOptions& options, ReplayPlan* plan,
                      std::vector<Source>* sources, std::string* problem) {
  const char* kNoFields = ": a Cabrillo log has no fields; ";
  if (!options.fields.multField.empty()) {
    *problem = std::string("--mult-field") + kNoFields +
               "the multiplier codes come from each received exchange";
    return false;
  }
  if (!options.fields.groupField.empty()) {
    *problem = std::string("--group-field") + kNoFields + "give the group codes with --group-map";
    return false;
  }
  CabrilloLog log;
  CabrilloError error;
  if (!ReadCabrillo(text, &log, &error)) {
    *problem = error.ToString();
    return false;
  }
  for (const CabrilloError& bad : log.badLines) {
    if (!options.skipBad) {
      *problem = bad.ToString();
      return false;
    }
    plan->warnings.push_back(bad.ToString() + "; line skipped");
    const bool qsoLine =
        std::any_of(log.unreadQsos.begin(), log.unreadQsos.end(),
                    [&](const CabrilloUnreadQso& unread) { return unread.error.line == bad.line; });
    if (!qsoLine) plan->skippedLines.push_back(plan->warnings.back());
  }
  for (const CabrilloUnreadQso& unread : log.unreadQsos) {
    plan->unreadQsos.push_back(
        UnreadQso{unread.error.line, unread.error.ToString(), unread.qso, unread.timeRead});
  }
  for (const CabrilloError& assumed : log.assumed) plan->warnings.push_back(assumed.ToString());
  if (log.endOfLogLine == 0) {
    plan->warnings.push_back("no END-OF-LOG: line: the log may have been cut short after line " +
                             std::to_string(log.lastLine));
  }
  if (log.xQsoLines > 0) {
    plan->warnings.push_back(std::to_string(log.xQsoLines) +
                             (log.xQsoLines == 1 ? " X-QSO: line" : " X-QSO: lines") +
                             " passed over (QSOs the entrant asks not to count), the first in "
                             "line " +
                             std::to_string(log.firstXQsoLine));
  }
  for (const CabrilloQsoLine& line : log.qsos) {
    plan->qsos.push_back(line.qso);
    const std::string lineText = "line " + std::to_string(line.line);
    sources->push_back(!log.callsign.empty()
                           ? Source{line.line, log.callsign,
                                    "log tag CALLSIGN:, line " + std::to_string(log.callsignLine)}
                           : Source{line.line, line.ownCall, "own call column, " + lineText});
  }
  if (plan->qsos.empty()) {
    *problem = log.badLines.empty() ? "the log holds no QSO lines"
                                    : "every QSO line of the log was skipped";
    return false;
  }
  plan->categories = log.categories;
  plan->contest = log.contest;
  const std::string& claimed = log.claimedScore;
  long long score = 0;
  if (ParseClaimedScore(claimed, &score)) {
    plan->claimedScore = score;
    plan->claimedScoreLine = log.claimedScoreLine;
  } else if (!claimed.empty()) {
    plan->warnings.push_back("CLAIMED-SCORE: \"" + claimed + "\" in line " +
                             std::to_string(log.claimedScoreLine) +
                             " is not a number; it is not compared");
  }
  plan->settings.push_back(
      PlanSetting{"log", "Cabrillo, CONTEST: " + (log.contest.empty() ? "(none)" : log.contest),
                  "START-OF-LOG: line first"});
  return true;
}

// Each QSO's group code from the map, by its multiplier code, with one
// warning for the codes the map lacks.
void ApplyGroupMap(const GroupMap& map, const std::vector<Source>& sources, const Places& places,
                   std::vector<AdifQso>* qsos, std::vector<std::string>* warnings) {
  size_t missing = 0;
  size_t first = 0;
  for (size_t i = 0; i < qsos->size(); ++i) {
    AdifQso& qso = (*qsos)[i];
    qso.group.clear();
    if (map.Find(qso.multCode, &qso.group)) continue;
    if (missing++ == 0) first = i;
  }
  if (missing == 0) return;
  warnings->push_back(std::to_string(missing) + (missing == 1 ? " QSO has" : " QSOs have") +
                      " a multiplier code that --group-map " + map.path +
                      " does not list, so an empty group code; the first in " +
                      places.At(sources[first].place) + " (code \"" + (*qsos)[first].multCode +
                      "\")");
}

}  // namespace

bool PlanReplay(const std::string& logText, const ReplayOptions& options, ReplayPlan* plan,
                std::string* problem) {
  *plan = ReplayPlan();
  plan->cabrillo = options.cabrillo;
  std::string utf8;
  const std::string& text = Utf16ToUtf8(logText, &utf8) ? utf8 : logText;
  if (IsAdxText(text)) {
    *problem =
        "an ADX (XML) log, which logreplay does not read: export the log as ADIF (.adi) or "
        "Cabrillo";
    return false;
  }
  const bool cabrilloLog = IsCabrilloLog(text);
  plan->logKind = cabrilloLog ? LogKind::kCabrillo : LogKind::kAdif;
  const Places places{cabrilloLog ? "line" : "record"};
  if (!cabrilloLog && text.find('<') == std::string::npos &&
      text.find_first_not_of(" \t\r\n\f\v") != std::string::npos) {
    *problem =
        "neither an ADIF log (no tags found) nor a Cabrillo log (no START-OF-LOG: line first)";
    return false;
  }
  if (options.groupMap && !options.fields.groupField.empty()) {
    *problem = "--group-map and --group-field: give the group codes one way";
    return false;
  }
  std::vector<Source> sources;  // where each QSO stands
  if (!(cabrilloLog ? ReadCabrilloQsos : ReadAdifQsos)(text, options, plan, &sources, problem)) {
    return false;
  }
  if (options.groupMap)
    ApplyGroupMap(*options.groupMap, sources, places, &plan->qsos, &plan->warnings);
  const PlanSetting order = PutInTimeOrder(&plan->qsos, &sources, places, &plan->warnings);
  AddMissingCodeWarnings(plan->qsos, sources, places, options.fields, &plan->warnings);
  AddSecondsOnlyWarning(plan->qsos, sources, places, &plan->warnings);
  AddLongSerialWarning(plan->qsos, sources, places, &plan->warnings);
  for (const Source& source : sources) plan->qsoPlaces.push_back(source.place);
  const Source& first = sources.front();
  const std::string firstPlace = places.At(first.place);

  const std::string& sent = plan->qsos.front().exchSent;
  PlanSetting call{"own call", "", "option --own-call"};
  PlanSetting mult{"own multiplier code", "", "option --own-mult"};
  if (!TakeOwnValue(options.ownCall, first.ownCall, first.ownCallFrom,
                    firstPlace + " has neither STATION_CALLSIGN nor OPERATOR; give it with "
                                 "--own-call",
                    &call, problem) ||
      !TakeOwnValue(options.ownMultCode, MultCodeFromExchange(sent),
                    "derived from the sent exchange " + sent + ", " + firstPlace,
                    "the sent exchange \"" + sent + "\" of " + firstPlace +
                        " has no letters after its digits; give it with --own-mult",
                    &mult, problem)) {
    return false;
  }

  PlanSetting group{"own group code", "", "option --own-group"};
  if (options.ownGroupCode) {
    group.value = UpperTrimmed(*options.ownGroupCode);
  } else if (options.groupMap) {
    if (!options.groupMap->Find(mult.value, &group.value)) {
      *problem = "own group code: --group-map " + options.groupMap->path +
                 " does not list the own multiplier code " + mult.value +
                 "; give it with --own-group";
      return false;
    }
    group.source = "--group-map, by the own multiplier code";
  } else if (!options.fields.groupField.empty()) {
    *problem =
        "own group code: the log does not tell it; give it with --own-group when naming "
        "--group-field";
    return false;
  } else {
    group.source = "no --own-group";
  }

  PlanSetting start{"contest start", "", "option --start"};
  if (options.start) {
    plan->start = *options.start;
  } else {
    plan->start = HourOf(plan->qsos.front().time);
    start.source = "derived: the hour of the first QSO, " + firstPlace;
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
  if (options.groupMap) {
    groupCodes.value = "map file " + options.groupMap->path + ", by multiplier code";
    groupCodes.source = "option --group-map";
  } else if (!options.fields.groupField.empty()) {
    groupCodes.value = "log field " + AdifUpper(options.fields.groupField);
  } else if (cabrilloLog) {
    groupCodes.source = "a Cabrillo log carries none; give --group-map";
  } else {
    groupCodes.source = "no --group-field";
  }

  plan->ownCall = call.value;
  plan->ownMultCode = mult.value;
  plan->ownGroupCode = group.value;
  for (const PlanSetting& setting : {call, mult, group, start, order, multCodes, groupCodes}) {
    plan->settings.push_back(setting);
  }

  if (!options.groupMap && options.fields.groupField.empty()) {
    const std::string none =
        cabrilloLog ? "no --group-map: a Cabrillo log carries no group codes; every group code "
                      "is empty and "
                    : "no --group-field: every group code is empty and ";
    plan->warnings.push_back(
        group.value.empty()
            ? none +
                  "equals the empty own group, so every QSO without the own multiplier key "
                  "scores 30 points"
            : none + "differs from the own group " + group.value +
                  ", so no QSO scores as the own group");
  }
  AddTimingWarnings(plan->qsos, sources, places, plan->start, &plan->warnings);
  return true;
}

std::string ClaimedScoreWarning(const ReplayPlan& plan, long long pluginScore) {
  if (!plan.claimedScore || *plan.claimedScore == pluginScore) return std::string();
  return "claimed score " + std::to_string(*plan.claimedScore) + " (CLAIMED-SCORE:, line " +
         std::to_string(plan.claimedScoreLine) + "), the plug-in's score " +
         std::to_string(pluginScore);
}

}  // namespace tools
