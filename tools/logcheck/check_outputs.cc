#include "tools/logcheck/check_outputs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <tuple>

#include "stats/contest_facts.h"
#include "tools/adif/adif_values.h"
#include "tools/report/report_data.h"
#include "tools/report/svg_chart.h"

namespace tools {
namespace {

constexpr double kMinutesPerDay = 1440.0;

// A CSV value: quoted when it holds a comma, quote or line end, and
// control characters as '?' (a NUL in a log's call column would cut the
// row short in many readers).
std::string CsvField(const std::string& value) {
  const auto control = [](char c) { return (c >= 0 && c < ' ') || c == 0x7F; };
  if (std::none_of(value.begin(), value.end(),
                   [&](char c) { return control(c) || c == ',' || c == '"'; })) {
    return value;
  }
  std::string quoted = "\"";
  for (char c : value) {
    quoted += c == '"' ? std::string("\"\"") : std::string(1, control(c) ? '?' : c);
  }
  return quoted + "\"";
}

std::string CsvRow(const std::vector<std::string>& fields) {
  std::string row;
  for (size_t i = 0; i < fields.size(); ++i) row += (i ? "," : "") + CsvField(fields[i]);
  return row + "\n";
}

// FormatMinute, kept in `last` for the next call with the same minute.
const std::string& FormatMinute(long long minute, std::pair<long long, std::string>* last);

std::string FormatMinute(long long minute) {
  CivilDate date;
  TimeOfDay time;
  OleToCivil(static_cast<double>(minute) / kMinutesPerDay, &date, &time);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", date.year, date.month, date.day,
                time.hour, time.minute);
  return text;
}

const std::string& FormatMinute(long long minute, std::pair<long long, std::string>* last) {
  if (last->first != minute) *last = {minute, FormatMinute(minute)};
  return last->second;
}

std::string Optional(const std::optional<long long>& value) {
  return value ? std::to_string(*value) : std::string();
}

std::string Signed(long long value) { return (value > 0 ? "+" : "") + std::to_string(value); }

struct Counts {
  size_t qsos = 0;
  size_t credited = 0;
  size_t byVerdict[kVerdictCount] = {};
};

Counts CountOf(const LogVerdicts& verdicts) {
  Counts counts;
  for (const QsoVerdict& v : verdicts.qsos) {
    ++counts.qsos;
    if (IsCredited(v.verdict)) ++counts.credited;
    ++counts.byVerdict[static_cast<int>(v.verdict)];
  }
  return counts;
}

std::string Claimed(const EntrantLog& log) {
  return log.plan.claimedScore ? std::to_string(*log.plan.claimedScore) : std::string();
}

// Both pages' CSS: plain, readable on a screen and on paper.
constexpr char kPageStyle[] =
    "<style>\n"
    "body{font-family:system-ui,sans-serif;margin:2em auto;max-width:58em;padding:0 1em;"
    "color:#222;line-height:1.4}\n"
    "h1{font-size:1.6em;margin:0 0 .2em}h2{font-size:1.15em;margin:1.6em 0 .4em;"
    "border-bottom:1px solid #ccd}\n"
    ".sub{color:#555;margin:0 0 1em}.how{font-size:.9em;color:#444}\n"
    "table{border-collapse:collapse;margin:.3em 0 1em}\n"
    "th,td{border-bottom:1px solid #dde;padding:3px 10px;text-align:left}\n"
    "th{background:#eef1f6;font-weight:600}td.n,th.n{text-align:right;"
    "font-variant-numeric:tabular-nums}\n"
    "pre{background:#f6f7f9;border:1px solid #e1e4e8;padding:6px 10px;margin:.2em 0;"
    "font-size:.85em;white-space:pre-wrap;overflow-wrap:anywhere}\n"
    "p{margin:.3em 0}pre+p{margin-top:1.2em}.nav{font-size:.9em;margin:0 0 1em}"
    "a{color:#1a4d8f}\n"
    "@media print{body{margin:0;max-width:none}.nav{display:none}a{color:inherit;"
    "text-decoration:none}h2{break-after:avoid}tr,pre{break-inside:avoid}}\n"
    "</style>\n";

// The usual order of the values of each CATEGORY- tag, as results list
// classes: single operators before multi, all bands before one, by
// wavelength, mixed modes before one, high power before low. Values not
// listed follow, in text order.
constexpr const char* kValueOrder[] = {
    "SINGLE-OP", "MULTI-OP",  "ALL", "160M",  "80M",          "40M",      "20M",   "15M",
    "10M",       "6M",        "2M",  "MIXED", "CW",           "SSB",      "DIGI",  "RTTY",
    "FM",        "HIGH",      "LOW", "QRP",   "NON-ASSISTED", "ASSISTED", "ONE",   "TWO",
    "LIMITED",   "UNLIMITED", "SWL", "FIXED", "PORTABLE",     "MOBILE",   "ROVER", "EXPEDITION"};

size_t ValueRank(const std::string& value) {
  for (size_t i = 0; i < std::size(kValueOrder); ++i) {
    if (value == kValueOrder[i]) return i;
  }
  return std::size(kValueOrder);
}

struct Entry {
  std::string category;
  long long checked = 0;
  std::string call;
  size_t index = 0;
  size_t place = 0;
  // The class's order: by its tags in turn, a tag missing first, then the
  // values by ValueRank.
  std::vector<std::pair<size_t, std::string>> classOrder;
};

std::vector<std::pair<size_t, std::string>> ClassOrder(const EntrantLog& log) {
  std::vector<std::pair<size_t, std::string>> order;
  for (const std::string& value : log.classValues) {
    order.push_back({value.empty() ? 0 : ValueRank(value) + 1, value});
  }
  return order;
}

// Whether the class of `a` comes before that of `b`: by their tags' values
// in turn; the class of logs without categories last.
bool ClassBefore(const Entry& a, const Entry& b) {
  if ((a.category == kNoClass) != (b.category == kNoClass)) return b.category == kNoClass;
  return std::tie(a.classOrder, a.category) < std::tie(b.classOrder, b.category);
}

// Entrants by class (ClassBefore), highest checked score first, then by
// call; `place` from 1 in each class, equal scores sharing a place.
std::vector<Entry> Ranked(const ContestCheck& check) {
  std::vector<Entry> entries;
  for (size_t i = 0; i < check.logs.size(); ++i) {
    if (!check.entrants[i].checked) continue;
    const EntrantLog& log = check.input->logs[i];
    entries.push_back(
        {log.category, *check.entrants[i].checked, check.logs[i].call, i, 0, ClassOrder(log)});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.category != b.category) return ClassBefore(a, b);
    return std::tie(b.checked, a.call) < std::tie(a.checked, b.call);
  });
  size_t classStart = 0;
  for (size_t k = 0; k < entries.size(); ++k) {
    if (k == 0 || entries[k].category != entries[k - 1].category) {
      classStart = k;
    } else if (entries[k].checked == entries[k - 1].checked) {
      entries[k].place = entries[k - 1].place;
      continue;
    }
    entries[k].place = k - classStart + 1;
  }
  return entries;
}

// The claimed score less the checked one, in % of the claim, one decimal;
// empty without a claim above zero.
std::string Reduction(const ContestCheck& check, size_t index) {
  const std::optional<long long>& claimed = check.input->logs[index].plan.claimedScore;
  if (!claimed || *claimed <= 0 || !check.entrants[index].checked) return std::string();
  char text[32];
  std::snprintf(text, sizeof text, "%.1f",
                100.0 * static_cast<double>(*claimed - *check.entrants[index].checked) /
                    static_cast<double>(*claimed));
  return std::string(text) == "-0.0" ? "0.0" : text;
}

// The CONTEST: most logs name (the first in text order of a tie); the
// plug-in's contest name when no log names one.
std::string ContestName(const ContestCheck& check) {
  std::map<std::string, size_t> votes;
  for (const EntrantLog& log : check.input->logs) {
    if (!log.plan.contest.empty()) ++votes[log.plan.contest];
  }
  std::string name = stats::kContestName;
  size_t most = 0;
  for (const auto& [contest, count] : votes) {
    if (count > most) {
      name = contest;
      most = count;
    }
  }
  return name;
}

// What the verdict rests on, beside the other log's line.
std::string Evidence(const QsoVerdict& v, const std::string& worked) {
  switch (v.verdict) {
    case Verdict::kBustedCall:
      return v.matched ? "the station worked was " + v.correct + ", whose log has this QSO"
                       : "no log holds " + worked + "; " + v.correct +
                             ", one edit away, was on the air then with the code received";
    case Verdict::kBustedExchange:
      return v.matched ? "sent: " + v.correct
                       : worked + " sent no log; the code most other logs received: " + v.correct;
    case Verdict::kNil:
      return v.evidence == EvidenceKind::kNearest
                 ? worked + " sent a log; its nearest QSO with you on this band and mode is " +
                       std::to_string(v.minutesApart) + " min apart, outside the window"
                 : worked + " sent a log; it holds no such QSO";
    case Verdict::kBandMismatch:
      return "the other log has it on " + v.correct;
    case Verdict::kModeMismatch:
      return "the other log has it in " + v.correct;
    case Verdict::kUnconfirmed:
      return v.evidence == EvidenceKind::kUnreadable
                 ? worked +
                       "'s log holds no such QSO, but a line of it near that time could "
                       "not be read"
                 : worked + " sent no log; other logs hold it";
    case Verdict::kUnreadable:
      return "could not be read: " + v.correct;
    default:
      return VerdictEvidence(v.verdict);
  }
}

// The line a verdict names beside the entrant's own, and how it is
// introduced; false when it names none.
bool OtherLine(const ContestCheck& check, const QsoVerdict& v, size_t* log, size_t* line,
               std::string* intro) {
  if (!v.matched && v.evidence == EvidenceKind::kNone) return false;
  *log = v.otherLog;
  *line = check.logs[v.otherLog].qsos[v.otherQso].line;
  const std::string apart = std::to_string(v.minutesApart) + " min apart";
  const std::string& call = check.logs[v.otherLog].call;
  switch (v.evidence) {
    case EvidenceKind::kEarlier:
      *intro = "the credited QSO it repeats, line " + std::to_string(*line) + " (" + apart + ")";
      break;
    case EvidenceKind::kUnreadable:
      *intro = call + "'s log, line " + std::to_string(*line) + " (unreadable)";
      break;
    case EvidenceKind::kNearest:
    case EvidenceKind::kNone:
      *intro = call + "'s log, line " + std::to_string(*line) + " (" + apart + ")";
      break;
  }
  return true;
}

// The multipliers the plug-in counted when it scored all of log `index`'s
// QSOs and that none of its credited QSOs holds, as " 20m KI tour 2;"
// each; " none", or why they are not known. A multiplier is a band and the
// worked station's code in a tour, as the plug-in keys it; the plug-in
// counts the QSOs outside the tours as a tour of their own.
std::string LostMultipliers(const ContestCheck& check, size_t index) {
  if (index >= check.entrants.size() || check.entrants[index].multipliers.empty()) {
    return " not known (the plug-in's Cabrillo log of all QSOs could not be read)";
  }
  const TextPool& texts = check.input->texts;
  const CheckLog& log = check.logs[index];
  const std::vector<StoredQso>& stored = check.input->logs[index].stored;
  using Key = std::tuple<std::string, std::string, long long>;
  const long long offset = check.verdicts[index].clockOffset;
  const auto keyOf = [&](size_t j) {
    const long long tour =
        stats::TourOfMinutes(log.qsos[j].minute - offset - check.options.startMinute);
    return Key(texts.Text(stored[j].band), texts.Text(stored[j].multCode), tour);
  };
  // The stored QSOs come first in the log's, the unreadable lines after.
  std::set<Key> kept;
  for (size_t j = 0; j < stored.size(); ++j) {
    if (IsCredited(check.verdicts[index].qsos[j].verdict)) kept.insert(keyOf(j));
  }
  std::set<Key> lost;
  for (size_t j = 0; j < stored.size(); ++j) {
    if (check.entrants[index].multipliers[j] && !kept.count(keyOf(j))) lost.insert(keyOf(j));
  }
  std::string line;
  for (const Key& key : lost) {
    const long long tour = std::get<2>(key);
    line += " " + std::get<0>(key) + " " + std::get<1>(key) +
            (tour == stats::kOutsideTours ? std::string(" outside the tours")
                                          : " tour " + std::to_string(tour)) +
            ";";
  }
  return line.empty() ? std::string(" none") : line;
}

}  // namespace

std::string VerdictsCsvHeader() {
  return CsvRow({"log", "line", "call", "band", "mode", "time", "worked_call", "verdict", "correct",
                 "other_log", "other_line", "minutes_apart"});
}

std::string VerdictsCsvRows(const ContestCheck& check, size_t i) {
  std::string csv;
  const TextPool& texts = check.input->texts;
  const CheckLog& log = check.logs[i];
  std::pair<long long, std::string> minuteText{-1, std::string()};
  std::vector<size_t> order(log.qsos.size());
  for (size_t j = 0; j < order.size(); ++j) order[j] = j;
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return log.qsos[a].line < log.qsos[b].line; });
  // Row by row without a vector of fields: this file has a row per QSO
  // line of the contest.
  const std::string name = CsvField(check.input->logs[i].name) + ",";
  const std::string call = CsvField(log.call) + ",";
  for (size_t j : order) {
    const CheckQso& q = log.qsos[j];
    const QsoVerdict& v = check.verdicts[i].qsos[j];
    csv += name;
    csv += std::to_string(q.line);
    csv += ",";
    csv += call;
    const UnreadableLine* unread = UnreadableLineOf(log, j);
    const bool timeRead = unread == nullptr || unread->timeRead;
    const std::string noTime;
    for (const std::string* field :
         {&texts.Text(q.band), &texts.Text(q.mode),
          timeRead ? &FormatMinute(q.minute, &minuteText) : &noTime, &texts.Text(q.call)}) {
      csv += CsvField(*field);
      csv += ",";
    }
    csv += VerdictName(v.verdict);
    csv += ",";
    csv += CsvField(v.correct);
    if (v.matched || v.evidence != EvidenceKind::kNone) {
      csv += "," + CsvField(check.input->logs[v.otherLog].name) + "," +
             std::to_string(check.logs[v.otherLog].qsos[v.otherQso].line) + "," +
             (v.evidence == EvidenceKind::kUnreadable ? std::string()
                                                      : std::to_string(v.minutesApart)) +
             "\n";
    } else {
      csv += ",,,\n";
    }
  }
  return csv;
}

std::string LogsCsv(const ContestCheck& check) {
  std::string csv = CsvRow({"log", "call", "category", "qsos", "credited", "removed",
                            "clock_offset_min", "claimed_score", "plugin_score", "checked_score"});
  for (size_t i = 0; i < check.logs.size(); ++i) {
    const Counts counts = CountOf(check.verdicts[i]);
    const EntrantLog& log = check.input->logs[i];
    csv += CsvRow({log.name, check.logs[i].call, log.category, std::to_string(counts.qsos),
                   std::to_string(counts.credited), std::to_string(counts.qsos - counts.credited),
                   std::to_string(check.verdicts[i].clockOffset), Claimed(log),
                   Optional(check.entrants[i].plugin), Optional(check.entrants[i].checked)});
  }
  return csv;
}

std::string ResultsCsv(const ContestCheck& check) {
  std::string csv = CsvRow({"category", "place", "call", "log", "qsos", "credited", "claimed_score",
                            "plugin_score", "checked_score", "reduction_pct"});
  for (const Entry& e : Ranked(check)) {
    const Counts counts = CountOf(check.verdicts[e.index]);
    csv += CsvRow({e.category, std::to_string(e.place), e.call, check.input->logs[e.index].name,
                   std::to_string(counts.qsos), std::to_string(counts.credited),
                   Claimed(check.input->logs[e.index]), Optional(check.entrants[e.index].plugin),
                   Optional(check.entrants[e.index].checked), Reduction(check, e.index)});
  }
  return csv;
}

std::string ResultsHtml(const ContestCheck& check) {
  const std::string contest = ContestName(check);
  const std::string date = FormatMinute(std::llround(check.input->start.value * kMinutesPerDay));
  size_t qsos = 0;
  size_t checklogCount = 0;
  std::string checklogs;
  for (size_t i = 0; i < check.logs.size(); ++i) {
    qsos += check.logs[i].qsos.size();
    if (!check.logs[i].checklog) continue;
    checklogs += (checklogs.empty() ? "" : ", ") + check.logs[i].call;
    ++checklogCount;
  }
  const MatchOptions& m = check.options;
  std::string page = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" +
                     EscapeHtml(contest + " " + date.substr(0, 4)) + " \xE2\x80\x94 results" +
                     "</title>\n" + kPageStyle + "</head><body>\n";
  page += "<h1>" + EscapeHtml(contest) + " \xE2\x80\x94 checked results</h1>\n";
  page += "<p class=\"sub\">Contest start " + EscapeHtml(date) + " UTC \xC2\xB7 " +
          std::to_string(check.logs.size()) + " logs checked" +
          (checklogCount == 0 ? std::string()
                              : " (" + std::to_string(checklogCount) +
                                    (checklogCount == 1 ? " checklog)" : " checklogs)")) +
          ", " + std::to_string(qsos) + " QSO lines</p>\n";
  page += "<p class=\"how\">Every QSO line was matched against the other logs: confirmed within " +
          std::to_string(m.windowMinutes) +
          " minutes after each log's clock correction, credited up to " +
          std::to_string(m.timeMismatchMinutes) +
          " minutes apart; a station that sent no log is credited when " +
          std::to_string(m.unconfirmedMinLogs) + " logs hold it. A removed QSO costs its points" +
          (check.penalty == 0 ? std::string()
                              : ", a busted call or not-in-log also " +
                                    std::to_string(check.penalty) + " times its points") +
          ". Scores are the plug-in's of each entrant's credited QSOs; the reduction is from "
          "the claimed score. Each call links to its entrant's report.</p>\n";
  const std::vector<Entry> ranked = Ranked(check);
  for (size_t k = 0; k < ranked.size(); ++k) {
    const Entry& e = ranked[k];
    if (k == 0 || e.category != ranked[k - 1].category) {
      if (k > 0) page += "</tbody></table>\n";
      page += "<h2>" + EscapeHtml(e.category) +
              "</h2>\n<table><thead><tr><th class=\"n\">Place</th><th>Call</th>"
              "<th class=\"n\">QSO lines</th><th class=\"n\">Credited</th>"
              "<th class=\"n\">Claimed</th><th class=\"n\">Checked</th>"
              "<th class=\"n\">Reduction</th></tr></thead><tbody>\n";
    }
    const Counts counts = CountOf(check.verdicts[e.index]);
    const std::string reduction = Reduction(check, e.index);
    page += "<tr><td class=\"n\">" + std::to_string(e.place) + "</td><td><a href=\"reports/" +
            EscapeHtml(ReportFileName(e.call, ".html")) + "\">" + EscapeHtml(e.call) +
            "</a></td><td class=\"n\">" + std::to_string(counts.qsos) + "</td><td class=\"n\">" +
            std::to_string(counts.credited) + "</td><td class=\"n\">" +
            Claimed(check.input->logs[e.index]) + "</td><td class=\"n\">" +
            Optional(check.entrants[e.index].checked) + "</td><td class=\"n\">" +
            (reduction.empty() ? reduction : reduction + " %") + "</td></tr>\n";
  }
  if (!ranked.empty()) page += "</tbody></table>\n";
  if (!checklogs.empty()) {
    page +=
        "<h2>Checklogs</h2>\n<p>Received and used to check the others: " + EscapeHtml(checklogs) +
        ".</p>\n";
  }
  return page + "</body></html>\n";
}

std::string EntrantReport(const ContestCheck& check, size_t index) {
  const EntrantLog& entrant = check.input->logs[index];
  const CheckLog& log = check.logs[index];
  const LogVerdicts& verdicts = check.verdicts[index];
  const Counts counts = CountOf(verdicts);
  const TextPool& texts = check.input->texts;
  std::string tags;
  for (const auto& [tag, value] : entrant.plan.categories) {
    tags += (tags.empty() ? " " : ", ") + tag.substr(std::strlen(kCategoryPrefix)) + " " +
            (value.empty() ? std::string("(empty)") : value);
  }
  std::string text = "Log check of " + log.call + " (" + entrant.name +
                     ")\nClass: " + entrant.category +
                     "\nCategory tags:" + (tags.empty() ? " none" : tags) + "\n\nSummary\n";
  const auto kinds = [&](bool credited) {
    std::string list;
    for (int k = 0; k < kVerdictCount; ++k) {
      const Verdict verdict = static_cast<Verdict>(k);
      if (IsCredited(verdict) != credited || counts.byVerdict[k] == 0) continue;
      list += (list.empty() ? "" : ", ") + std::string(VerdictName(verdict)) + " " +
              std::to_string(counts.byVerdict[k]);
    }
    return list.empty() ? std::string() : " (" + list + ")";
  };
  text += "  QSO lines checked: " + std::to_string(counts.qsos) + " = " +
          std::to_string(counts.credited) + " credited + " +
          std::to_string(counts.qsos - counts.credited) + " removed\n";
  text += "  credited:          " + std::to_string(counts.credited) + kinds(true) + "\n";
  text +=
      "  removed:           " + std::to_string(counts.qsos - counts.credited) + kinds(false) + "\n";
  if (log.checklog) {
    text += "  a checklog: evidence for others' QSOs, not scored\n";
  } else {
    text += "  claimed score:     " +
            (Claimed(entrant).empty() ? std::string("(none)") : Claimed(entrant)) + "\n";
    text += "  plug-in's score of all QSOs:      " + Optional(check.entrants[index].plugin) + "\n";
    const long long taken = index < check.entrants.size() ? check.entrants[index].penalty : 0;
    if (check.penalty == 0) {
      text +=
          "  checked score (credited QSOs):    " + Optional(check.entrants[index].checked) + "\n";
    } else {
      const std::optional<long long> credited =
          check.entrants[index].checked
              ? std::optional<long long>(*check.entrants[index].checked + taken)
              : std::nullopt;
      text += "  plug-in's score of credited QSOs: " + Optional(credited) + "\n";
      text += "  penalty, " + std::to_string(check.penalty) +
              " times the points of each busted call and nil: -" + std::to_string(taken) + "\n";
      text +=
          "  checked score:                    " + Optional(check.entrants[index].checked) + "\n";
    }
  }
  text += "\nClock\n";
  if (verdicts.clockOffset != 0) {
    text += "  the log's clock was " + Signed(verdicts.clockOffset) + " minutes off (median of " +
            std::to_string(verdicts.clockQsos) +
            " QSOs matched both ways); its times were corrected by that before matching\n"
            "  the dupes, the tours, the multipliers lost and the checked score follow the\n"
            "  corrected times\n";
  } else {
    text += "  no correction (median difference " + Signed(verdicts.clockMedian) +
            " minutes over " + std::to_string(verdicts.clockQsos) +
            (verdicts.clockQsos == 1 ? " QSO" : " QSOs") + " matched both ways)\n";
  }
  // Lines skipped that were no QSO lines; the QSO lines have a verdict.
  for (const std::string& skipped : entrant.plan.skippedLines) text += "  read: " + skipped + "\n";

  for (int k = 0; k < kVerdictCount; ++k) {
    const Verdict verdict = static_cast<Verdict>(k);
    if (verdict == Verdict::kConfirmed || counts.byVerdict[k] == 0) continue;
    text += "\n" + std::string(VerdictName(verdict)) + " (" + std::to_string(counts.byVerdict[k]) +
            (IsCredited(verdict) ? ", credited" : ", removed") + ")\n";
    std::vector<size_t> order;
    for (size_t j = 0; j < log.qsos.size(); ++j) {
      if (verdicts.qsos[j].verdict == verdict) order.push_back(j);
    }
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return log.qsos[a].line < log.qsos[b].line; });
    for (size_t j : order) {
      const QsoVerdict& v = verdicts.qsos[j];
      text += "  line " + std::to_string(log.qsos[j].line) + ": " +
              LineOf(entrant, log.qsos[j].line) + "\n";
      const std::string why = Evidence(v, texts.Text(log.qsos[j].call));
      if (!why.empty()) text += "    " + why + "\n";
      size_t otherLog = 0;
      size_t otherLine = 0;
      std::string intro;
      if (OtherLine(check, v, &otherLog, &otherLine, &intro)) {
        text += "    " + intro + ": " + LineOf(check.input->logs[otherLog], otherLine) + "\n";
      }
    }
  }

  std::set<std::string> miscopiedCall;
  std::set<std::string> miscopiedExchange;
  if (index < check.entrants.size()) {
    for (const Miscopy& m : check.entrants[index].miscopies) {
      (m.call ? miscopiedCall : miscopiedExchange).insert(check.logs[m.log].call);
    }
  }
  const auto list = [](const std::set<std::string>& calls) {
    std::string line;
    for (const std::string& call : calls) line += " " + call;
    return line.empty() ? std::string(" none") : line;
  };
  text += "\nStations that miscopied your call:" + list(miscopiedCall) + "\n";
  text += "Stations that miscopied your exchange:" + list(miscopiedExchange) + "\n";

  if (log.checklog) return text;
  text += "Multipliers lost (the plug-in's multipliers of all QSOs that no credited QSO holds):" +
          LostMultipliers(check, index) + "\n";
  return text;
}

std::string EntrantReportHtml(const ContestCheck& check, size_t index, const std::string& report) {
  const std::string& call = check.logs[index].call;
  std::vector<std::string> lines;
  for (size_t at = 0; at < report.size();) {
    const size_t end = std::min(report.find('\n', at), report.size());
    lines.push_back(report.substr(at, end - at));
    at = end + 1;
  }
  const auto indented = [&](size_t i) { return i < lines.size() && lines[i].rfind("  ", 0) == 0; };
  std::string body;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == 0) {
      body += "<h1>" + EscapeHtml(lines[i]) + "</h1>\n";
    } else if (indented(i)) {
      std::string block;
      for (; indented(i); ++i) block += (block.empty() ? "" : "\n") + lines[i].substr(2);
      --i;
      body += "<pre>" + EscapeHtml(block) + "</pre>\n";
    } else if (indented(i + 1)) {
      body += "<h2>" + EscapeHtml(lines[i]) + "</h2>\n";
    } else if (!lines[i].empty()) {
      body += "<p>" + EscapeHtml(lines[i]) + "</p>\n";
    }
  }
  return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Log check of " +
         EscapeHtml(call) + "</title>\n" + kPageStyle +
         "</head><body>\n<p class=\"nav\"><a href=\"../results.html\">All results</a></p>\n" +
         body + "</body></html>\n";
}

std::vector<std::vector<Miscopy>> FindMiscopies(const ContestCheck& check) {
  std::vector<std::vector<Miscopy>> miscopies(check.logs.size());
  std::map<std::string, size_t> byCall;
  for (size_t i = 0; i < check.logs.size(); ++i) byCall[check.logs[i].call] = i;
  for (size_t i = 0; i < check.logs.size(); ++i) {
    for (const QsoVerdict& v : check.verdicts[i].qsos) {
      const bool call = v.verdict == Verdict::kBustedCall;
      if (!call && !(v.verdict == Verdict::kBustedExchange && v.matched)) continue;
      size_t to = v.otherLog;
      if (!v.matched) {
        const auto found = byCall.find(v.correct);
        if (found == byCall.end()) continue;
        to = found->second;
      }
      miscopies[to].push_back({i, call});
    }
  }
  return miscopies;
}

std::string ReportFileName(const std::string& call, const char* extension) {
  std::string name;
  for (char c : call) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    name += plain ? c : '_';
  }
  return (name.empty() ? std::string("_") : name) + extension;
}

std::string CheckSummary(const ContestCheck& check) {
  size_t byVerdict[kVerdictCount] = {};
  size_t qsos = 0;
  size_t checklogs = 0;
  std::string clocks;
  for (size_t i = 0; i < check.logs.size(); ++i) {
    const Counts counts = CountOf(check.verdicts[i]);
    qsos += counts.qsos;
    for (int k = 0; k < kVerdictCount; ++k) byVerdict[k] += counts.byVerdict[k];
    if (check.logs[i].checklog) ++checklogs;
    if (check.verdicts[i].clockOffset != 0) {
      clocks += " " + check.logs[i].call + " " + Signed(check.verdicts[i].clockOffset) + " min;";
    }
  }
  std::string text = std::to_string(check.logs.size()) + " logs checked (" +
                     std::to_string(checklogs) + " checklogs), " +
                     std::to_string(check.input->skipped.size()) + " skipped; " +
                     std::to_string(qsos) + " QSO lines\n";
  for (int k = 0; k < kVerdictCount; ++k) {
    char line[80];
    std::snprintf(line, sizeof line, "  %-16s %8zu\n", VerdictName(static_cast<Verdict>(k)),
                  byVerdict[k]);
    text += line;
  }
  text += "Clock corrections:" + (clocks.empty() ? std::string(" none") : clocks) + "\n";
  for (const SkippedLog& skipped : check.input->skipped) {
    text += "Skipped " + skipped.path + ": " + skipped.reason + "\n";
  }
  return text;
}

}  // namespace tools
