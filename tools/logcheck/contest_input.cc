#include "tools/logcheck/contest_input.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <tuple>

#include "platform/tools/background_task.h"
#include "tools/adif/adif_reader.h"
#include "tools/adif/adif_values.h"
#include "tools/adif/log_text.h"
#include "tools/cabrillo_input/cabrillo_input.h"

namespace tools {
namespace {

constexpr char kCheckLog[] = "CHECKLOG";

}  // namespace

std::string ClassOf(const std::vector<std::pair<std::string, std::string>>& categories,
                    const std::vector<std::string>& classBy, bool* checklog,
                    std::vector<std::string>* values) {
  *checklog = false;
  if (values != nullptr) values->assign(classBy.size(), std::string());
  for (const auto& [tag, value] : categories) {
    if (value == kCheckLog) *checklog = true;
  }
  if (*checklog) return kCheckLog;
  std::string entryClass;
  for (size_t i = 0; i < classBy.size(); ++i) {
    for (const auto& [tag, value] : categories) {
      if (tag != classBy[i] || value.empty()) continue;
      entryClass += (entryClass.empty() ? "" : " ") + value;
      if (values != nullptr) (*values)[i] = value;
      break;
    }
  }
  return entryClass.empty() ? kNoClass : entryClass;
}

namespace {

std::vector<uint32_t> LineStarts(const std::string& text) {
  std::vector<uint32_t> starts{0};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if ((text[i] == '\r' || text[i] == '\n') && i + 1 < text.size()) {
      starts.push_back(static_cast<uint32_t>(i + 1));
    }
  }
  return starts;
}

struct Found {
  std::string path;
  bool given = false;  // named on the command line, not found in a folder
};

bool ListPaths(const std::vector<std::string>& paths, std::vector<Found>* found,
               std::string* problem) {
  namespace fs = std::filesystem;
  for (const std::string& path : paths) {
    std::error_code error;
    const fs::path p = fs::u8path(path);
    if (fs::is_directory(p, error)) {
      std::vector<fs::path> files;
      for (const auto& entry : fs::directory_iterator(p, error)) {
        std::error_code kind;
        if (entry.is_regular_file(kind)) files.push_back(entry.path());
      }
      if (error) {
        *problem = path + ": cannot list the folder";
        return false;
      }
      std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().u8string() < b.filename().u8string();
      });
      for (const fs::path& file : files) found->push_back({file.u8string(), false});
    } else if (fs::exists(p, error)) {
      found->push_back({path, true});
    } else {
      *problem = path + ": no such file or folder";
      return false;
    }
  }
  return true;
}

// Why `text`, which is no Cabrillo log, is none: what it seems to be.
std::string NotCabrilloReason(const std::string& text) {
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) return "an empty file, no log";
  const std::string head = AdifUpper(text.substr(0, 4096));
  if (head.find('\0') != std::string::npos) return "a binary file, no log";
  if (head.find("<EOH>") != std::string::npos || head.find("<CALL:") != std::string::npos) {
    return "an ADIF log; logcheck reads Cabrillo logs only";
  }
  return "not a Cabrillo log (no START-OF-LOG: line first)";
}

// One log read and planned, its QSOs not yet in the contest's pool; with
// `ok` false, the reason it takes no part.
struct Parsed {
  bool ok = false;
  bool notCabrillo = false;
  std::string reason;
  EntrantLog log;
};

// Reads and plans one log. Touches nothing shared, so two may run at once.
Parsed ParseOne(const Found& found, const InputOptions& options) {
  Parsed parsed;
  EntrantLog* log = &parsed.log;
  std::string text;
  if (!ReadLogFile(found.path, &text, &parsed.reason)) return parsed;
  std::string utf8;
  const std::string& readable = Utf16ToUtf8(text, &utf8) ? utf8 : text;
  if (!IsCabrilloLog(readable)) {
    parsed.notCabrillo = true;
    parsed.reason = NotCabrilloReason(readable);
    return parsed;
  }
  ReplayOptions replay;
  replay.start = options.start;
  replay.groupMap = options.groupMap;
  replay.skipBad = true;
  if (!PlanReplay(text, replay, &log->plan, &parsed.reason)) return parsed;
  log->path = found.path;
  log->name = std::filesystem::u8path(found.path).filename().u8string();
  log->plan.logName = log->name;
  log->text = readable;
  log->lineStarts = LineStarts(log->text);
  log->category = ClassOf(log->plan.categories, options.classBy, &log->checklog, &log->classValues);
  for (const AdifQso& qso : log->plan.qsos) log->lastQso = std::max(log->lastQso, qso.time);
  parsed.ok = true;
  return parsed;
}

// Puts the QSOs of a parsed log into the contest's pool and drops them
// from its plan, which takes most of a plan's memory: scoring restores them.
void JoinPool(EntrantLog* log, TextPool* texts) {
  log->check = CheckLogOf(log->plan, texts, &log->stored);
  log->check.checklog = log->checklog;
  log->plan.qsos = std::vector<AdifQso>();
  log->plan.qsoPlaces = std::vector<size_t>();
}

// Reads one log; false with the reason it takes no part.
bool ReadOne(const Found& found, const InputOptions& options, TextPool* texts, EntrantLog* log,
             std::string* reason, bool* notCabrillo) {
  Parsed parsed = ParseOne(found, options);
  *notCabrillo = parsed.notCabrillo;
  *reason = parsed.reason;
  if (!parsed.ok) return false;
  *log = std::move(parsed.log);
  JoinPool(log, texts);
  return true;
}

bool Later(const EntrantLog& a, const EntrantLog& b) {
  return std::tie(a.lastQso, a.name, a.path) > std::tie(b.lastQso, b.name, b.path);
}

}  // namespace

bool ReadContest(const std::vector<std::string>& paths, const InputOptions& options,
                 ContestInput* input, std::string* problem) {
  *input = ContestInput();
  std::vector<Found> found;
  if (!ListPaths(paths, &found, problem)) return false;

  std::map<std::string, EntrantLog> byCall;
  std::map<long long, size_t> startVotes;  // hour of the first QSO -> logs
  // Reading and planning take most of the time and need nothing shared:
  // the logs are parsed two at a time, every other one on a thread of its
  // own, in batches small enough that their QSOs, held as strings until
  // they join the pool, take little memory.
  constexpr size_t kBatch = 16;
  std::vector<Parsed> batch;
  for (size_t at = 0; at < found.size(); ++at) {
    if (at % kBatch == 0) {
      batch.assign(std::min(kBatch, found.size() - at), Parsed());
      platform::RunInTwo([&](size_t from) {
        for (size_t k = from; k < batch.size(); k += 2) batch[k] = ParseOne(found[at + k], options);
      });
    }
    const Found& file = found[at];
    Parsed& parsed = batch[at % kBatch];
    if (!parsed.ok) {
      input->skipped.push_back({file.path, parsed.reason});
      continue;
    }
    EntrantLog log = std::move(parsed.log);
    JoinPool(&log, &input->texts);
    auto [it, fresh] = byCall.try_emplace(log.plan.ownCall);
    if (!fresh) {
      EntrantLog& kept = it->second;
      const bool replaces = Later(log, kept);
      const EntrantLog& loser = replaces ? kept : log;
      const EntrantLog& winner = replaces ? log : kept;
      const std::string why = "a later log of " + log.plan.ownCall + ", " + winner.path +
                              ", replaces it (by the last QSO's time, then the file name)";
      input->skipped.push_back({loser.path, why, true});
      input->warnings.push_back(loser.path + ": " + why);
      if (!replaces) continue;
    }
    it->second = std::move(log);
  }
  if (byCall.empty()) {
    *problem = "no Cabrillo log to check";
    return false;
  }
  for (const auto& [call, log] : byCall) {
    ++startVotes[static_cast<long long>(log.plan.start.value * 24.0 + 0.5)];
  }
  if (options.start) {
    input->start = *options.start;
    input->startSource = "option --start";
  } else {
    long long hour = 0;
    size_t votes = 0;
    for (const auto& [h, count] : startVotes) {
      if (count > votes) {
        hour = h;
        votes = count;
      }
    }
    input->start = {static_cast<double>(hour) / 24.0, kStatsDateValid};
    input->startSource = "the hour " + std::to_string(votes) + " of " +
                         std::to_string(byCall.size()) + " logs begin in";
  }
  for (auto& [call, log] : byCall) {
    if (options.start ||
        std::llround(log.plan.start.value * 24.0) == std::llround(input->start.value * 24.0)) {
      continue;
    }
    // Planned again from the contest's start, so that its warnings about
    // QSOs outside the tours are the contest's.
    InputOptions again = options;
    again.start = input->start;
    EntrantLog replanned;
    std::string reason;
    bool notCabrillo = false;
    if (ReadOne({log.path, true}, again, &input->texts, &replanned, &reason, &notCabrillo)) {
      log = std::move(replanned);
    } else {
      log.plan.start = input->start;
    }
  }
  for (auto& [call, log] : byCall) {
    for (const UnreadQso& unread : log.plan.unreadQsos) {
      input->warnings.push_back(log.path + ": " + unread.reason + "; judged unreadable");
    }
    input->logs.push_back(std::move(log));
  }
  return true;
}

namespace {

// The last text of each value of a QSO and its number in the pool.
using LastTexts = std::pair<const std::string*, uint32_t>[stats::kQsoFieldCount];

// A value of an AdifQso as a StoredQso keeps it: a text by its number.
template <typename Intern>
uint32_t Store(const std::string& text, size_t field, Intern& intern) {
  return intern(field, text);
}
template <typename Intern>
double Store(double time, size_t, Intern&) {
  return time;
}
template <typename Intern>
uint32_t Store(uint32_t hz, size_t, Intern&) {
  return hz;
}

// A value of a StoredQso as the AdifQso it stands for.
void Restore(uint32_t id, const TextPool& texts, std::string* text) { *text = texts.Text(id); }
void Restore(double time, const TextPool&, double* out) { *out = time; }
void Restore(uint32_t hz, const TextPool&, uint32_t* out) { *out = hz; }

// The plan's unreadable QSO lines, after its QSOs: each logged at its own
// time when that was read, else between the readable lines before and
// after it in the file.
void AddUnreadable(const ReplayPlan& plan, TextPool* texts, CheckLog* log) {
  if (plan.unreadQsos.empty()) return;
  std::vector<std::pair<size_t, long long>> byLine;  // line, minute
  for (const CheckQso& q : log->qsos) byLine.push_back({q.line, q.minute});
  std::sort(byLine.begin(), byLine.end());
  for (const UnreadQso& unread : plan.unreadQsos) {
    const AdifQso& qso = unread.qso;
    CheckQso q;
    q.line = static_cast<uint32_t>(unread.place);
    q.call = texts->Intern(UpperTrimmed(qso.call));
    q.band = texts->Intern(qso.band);
    q.mode = texts->Intern(qso.mode);
    q.sentExchange = texts->Intern(UpperTrimmed(qso.exchSent));
    q.rcvdExchange = texts->Intern(UpperTrimmed(qso.exchRcvd));
    q.unreadable = true;
    UnreadableLine line{static_cast<uint32_t>(log->qsos.size()), unread.reason, 0, 0,
                        unread.timeRead};
    if (unread.timeRead) {
      line.earliest = line.latest = std::llround(qso.time * 1440.0);
    } else {
      const auto after = std::lower_bound(byLine.begin(), byLine.end(),
                                          std::pair<size_t, long long>{unread.place, 0});
      const bool hasBefore = after != byLine.begin();
      const bool hasAfter = after != byLine.end();
      const long long before = hasBefore ? std::prev(after)->second : after->second;
      const long long next = hasAfter ? after->second : before;
      line.earliest = std::min(before, next);
      line.latest = std::max(before, next);
    }
    q.minute = line.earliest;
    log->qsos.push_back(q);
    log->unreadable.push_back(line);
  }
}

}  // namespace

CheckLog CheckLogOf(const ReplayPlan& plan, TextPool* texts, std::vector<StoredQso>* stored) {
  // Most values repeat the last QSO's (band, mode, reports, group): a
  // look-up each is spared then, the look-ups being most of the time of
  // this. Calls and exchanges are written as the matcher takes them, so
  // their own numbers serve it too.
  LastTexts last;
  const auto intern = [&](size_t field, const std::string& text) {
    std::pair<const std::string*, uint32_t>& known = last[field];
    if (known.first == nullptr || *known.first != text) known = {&text, texts->Intern(text)};
    return known.second;
  };
  const auto normal = [&](uint32_t id, const std::string& raw, const std::string& normal) {
    return normal == raw ? id : texts->Intern(normal);
  };
  CheckLog log;
  log.call = UpperTrimmed(plan.ownCall);
  log.qsos.reserve(plan.qsos.size());
  if (stored != nullptr) stored->reserve(plan.qsos.size());
  for (size_t i = 0; i < plan.qsos.size(); ++i) {
    const AdifQso& qso = plan.qsos[i];
    StoredQso s;
    size_t field = 0;
#define STATS_QSO_FIELD(name, ...) s.name = Store(qso.name, field++, intern);
#include "stats/host_fields.def"
    CheckQso q;
    q.line = static_cast<uint32_t>(plan.qsoPlaces[i]);
    q.call = normal(s.call, qso.call, UpperTrimmed(qso.call));
    q.band = s.band;
    q.mode = normal(s.mode, qso.mode, HostMode(qso.mode));
    q.minute = std::llround(qso.time * 1440.0);
    q.sentExchange = normal(s.exchSent, qso.exchSent, UpperTrimmed(qso.exchSent));
    q.rcvdExchange = normal(s.exchRcvd, qso.exchRcvd, UpperTrimmed(qso.exchRcvd));
    log.qsos.push_back(q);
    if (stored != nullptr) stored->push_back(s);
  }
  AddUnreadable(plan, texts, &log);
  return log;
}

std::vector<CheckLog> TakeCheckLogs(ContestInput* input) {
  std::vector<CheckLog> logs;
  for (EntrantLog& log : input->logs) logs.push_back(std::move(log.check));
  return logs;
}

std::string LineOf(const EntrantLog& log, size_t number) {
  if (number < 1 || number > log.lineStarts.size()) return "(line not found)";
  const size_t start = log.lineStarts[number - 1];
  size_t end = start;
  while (end < log.text.size() && log.text[end] != '\r' && log.text[end] != '\n') ++end;
  return log.text.substr(start, end - start);
}

ReplayPlan ResetPlan(const EntrantLog& log, const StatsDateTime& start) {
  ReplayPlan plan;
  plan.logKind = log.plan.logKind;
  plan.logName = log.plan.logName;
  plan.ownCall = log.plan.ownCall;
  plan.ownMultCode = log.plan.ownMultCode;
  plan.ownGroupCode = log.plan.ownGroupCode;
  plan.start = start;
  return plan;
}

void RestoreQso(const StoredQso& q, const TextPool& texts, AdifQso* qso) {
#define STATS_QSO_FIELD(name, ...) Restore(q.name, texts, &qso->name);
#include "stats/host_fields.def"
}

}  // namespace tools
