#include "tools/report/posting_sections.h"

#include <algorithm>
#include <set>

#include "stats/contest_facts.h"
#include "tools/report/html_parts.h"
#include "tools/report/svg_chart.h"

namespace tools {
namespace {

constexpr size_t kSummaryColumn = 7;  // the width of a number column
constexpr size_t kSummaryLabel = 17;  // "Operating time:  "

std::string BreakRule() {
  return "Off times of " + Num(kBreakMinutes) +
         " minutes or more between two consecutive QSOs (by their logged minute) are left out: "
         "the time on the air runs from the first QSO to the last without them.";
}

std::string OffTimes(size_t count) {
  return count == 0 ? "no off times" : Num(count) + (count == 1 ? " off time" : " off times");
}

std::string PerHour(const RateWindow& window, long long length) {
  return Num(window.qsos * kLongRateMinutes / length);
}

std::string RightAligned(const std::string& text, size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string LeftAligned(const std::string& text, size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

// The modes of the scored QSOs, in name order ("CW", "SSB").
std::set<std::string> Modes(const ReportData& data) {
  std::set<std::string> modes;
  for (const MatrixRow& row : data.matrix) {
    for (const auto& mode : row.qsosByMode) modes.insert(mode.first);
  }
  return modes;
}

int Mults(const MatrixRow& row) {
  int mults = 0;
  for (const MatrixCell& cell : row.cells) mults += cell.mults;
  return mults;
}

std::string SummaryTable(const ReportData& data) {
  const std::set<std::string> modes = Modes(data);
  size_t labelWidth = std::string("Total").size();
  for (const MatrixRow& row : data.matrix) labelWidth = std::max(labelWidth, row.band.size());
  ++labelWidth;
  const auto line = [&](const std::string& label, const std::vector<std::string>& cells) {
    std::string text = LeftAligned(label, labelWidth);
    for (const std::string& cell : cells) text += RightAligned(cell, kSummaryColumn);
    return text + "\n";
  };
  std::vector<std::string> head(modes.begin(), modes.end());
  head.push_back("QSOs");
  head.push_back("Mults");
  std::string table = line("Band", head);
  std::map<std::string, int> modeTotals;
  int qsoTotal = 0, multTotal = 0;
  for (const MatrixRow& row : data.matrix) {
    std::vector<std::string> cells;
    int qsos = 0;
    for (const std::string& mode : modes) {
      const auto found = row.qsosByMode.find(mode);
      const int count = found == row.qsosByMode.end() ? 0 : found->second;
      cells.push_back(Num(count));
      qsos += count;
      modeTotals[mode] += count;
    }
    if (qsos == 0) continue;
    cells.push_back(Num(qsos));
    cells.push_back(Num(Mults(row)));
    qsoTotal += qsos;
    multTotal += Mults(row);
    table += line(row.band, cells);
  }
  std::vector<std::string> totals;
  for (const std::string& mode : modes) totals.push_back(Num(modeTotals[mode]));
  totals.push_back(Num(qsoTotal));
  totals.push_back(Num(multTotal));
  return table + line("Total", totals);
}

std::string Labelled(const std::string& label, const std::string& value) {
  return LeftAligned(label + ":", kSummaryLabel) + value + "\n";
}

}  // namespace

std::string OperatingTimeHtml(const ReportData& data) {
  const OperatingTime& time = data.activity.time;
  if (data.qsos.empty()) return Section("Operating time", "<p class=\"none\">No QSO stored.</p>");
  const std::string items =
      Tag("dt", "", "First QSO") + Tag("dd", "", DateTimeOf(time.first) + " UTC") +
      Tag("dt", "", "Last QSO") + Tag("dd", "", DateTimeOf(time.last) + " UTC") +
      Tag("dt", "", "On the air") + Tag("dd", "", "<b>" + HoursAndMinutes(time.onAir) + "</b>") +
      Tag("dt", "", "Off times") +
      Tag("dd", "",
          time.breaks.empty()
              ? std::string("none")
              : Num(time.breaks.size()) + ", " +
                    HoursAndMinutes(time.last - time.first - time.onAir) + " in all");
  std::string body = Tag("dl",
                         "id=\"operating-time\" " + Attr("data-first", DateTimeOf(time.first)) +
                             " " + Attr("data-last", DateTimeOf(time.last)) + " " +
                             Attr("data-on-air", Num(time.onAir)) + " " +
                             Attr("data-breaks", Num(time.breaks.size())),
                         items);
  std::string rows;
  for (const OffTime& gap : time.breaks) {
    rows += Tag("tr",
                Attr("data-break-from", DateTimeOf(gap.from)) + " " +
                    Attr("data-break-to", DateTimeOf(gap.to)) + " " +
                    Attr("data-break-minutes", Num(gap.Minutes())),
                Tag("td", "", DateTimeOf(gap.from)) + Tag("td", "", DateTimeOf(gap.to)) +
                    Tag("td", "", HoursAndMinutes(gap.Minutes()))) +
            "\n";
  }
  if (!rows.empty()) {
    body += Tag("table", "class=\"small\"",
                Tag("tr", "",
                    Tag("th", "", "Off after the QSO of") + Tag("th", "", "Until the QSO of") +
                        Tag("th", "", "Length")) +
                    rows);
  }
  return Section("Operating time",
                 body + "<p class=\"legend\">" + BreakRule() + " Counted: the " +
                     Count(int64_t(data.qsos.size()), "QSO") +
                     " the plug-in stored (its Cabrillo log's lines); refused QSOs are "
                     "not.</p>");
}

std::string BestRatesHtml(const ReportData& data) {
  if (data.qsos.empty()) return Section("Best rates", "<p class=\"none\">No QSO stored.</p>");
  const Activity& activity = data.activity;
  const auto row = [](const std::string& key, const std::string& label, int qsos, long long from,
                      long long to, const std::string& perHour) {
    return Tag("tr",
               Attr("data-rate", key) + " " + Attr("data-qsos", Num(qsos)) + " " +
                   Attr("data-start", DateTimeOf(from)),
               Tag("td", "", label) + Tag("td", "", "<b>" + Num(qsos) + "</b>") +
                   Tag("td", "", ClockOf(from) + "–" + ClockOf(to)) + Tag("td", "", perHour)) +
           "\n";
  };
  const long long last = activity.time.last;
  const std::string rows =
      row(Num(kShortRateMinutes), "Best " + Num(kShortRateMinutes) + " minutes",
          activity.bestShort.qsos, activity.bestShort.start,
          activity.bestShort.start + kShortRateMinutes - 1,
          PerHour(activity.bestShort, kShortRateMinutes)) +
      row(Num(kLongRateMinutes), "Best " + Num(kLongRateMinutes) + " minutes",
          activity.bestLong.qsos, activity.bestLong.start,
          activity.bestLong.start + kLongRateMinutes - 1,
          PerHour(activity.bestLong, kLongRateMinutes)) +
      row("last" + Num(kLongRateMinutes), "Last hour, to the last QSO", activity.lastHourQsos,
          last - kLongRateMinutes + 1, last, Num(activity.lastHourQsos));
  return Section(
      "Best rates",
      Tag("table", "class=\"rates\"",
          Tag("tr", "",
              Tag("th", "", "Window") + Tag("th", "", "QSOs") + Tag("th", "", "UTC") +
                  Tag("th", "", "Per hour")) +
              "\n" + rows) +
          "<p class=\"legend\">A window holds the QSOs logged in its whole minutes, from a "
          "QSO's minute on; of equal windows the earliest is shown.</p>");
}

std::string SummaryText(const ReportData& data) {
  std::string text = std::string(stats::kContestName) + " - " + data.ownCall + " - from the " +
                     LogKindName(data.logKind) + " log " + data.logName + "\n\n";
  text += data.qsos.empty() ? std::string("No QSO stored.\n") : SummaryTable(data);
  text += "\n" + Labelled("Claimed score",
                          data.results.hasScore ? Num(data.results.score) : std::string("-"));
  const OperatingTime& time = data.activity.time;
  const Activity& activity = data.activity;
  if (!data.qsos.empty()) {
    text += Labelled("Operating time", HoursAndMinutes(time.onAir) + ", " + DateTimeOf(time.first) +
                                           " to " + DateTimeOf(time.last) + " UTC, " +
                                           OffTimes(time.breaks.size()) + " of " +
                                           Num(kBreakMinutes) + " min or more left out");
    text += Labelled("Best rates",
                     Count(activity.bestLong.qsos, "QSO") + " in " + Num(kLongRateMinutes) +
                         " min from " + ClockOf(activity.bestLong.start) + ", " +
                         Num(activity.bestShort.qsos) + " in " + Num(kShortRateMinutes) +
                         " min from " + ClockOf(activity.bestShort.start) + ", " +
                         Num(activity.lastHourQsos) + " in the last hour");
  }
  std::string categories;
  for (const CabrilloHeaderLine& line : data.categories) {
    categories += (categories.empty() ? "" : ", ") + line.tag.substr(sizeof kCategoryPrefix - 1) +
                  " " + (line.value.empty() ? "(empty)" : line.value);
  }
  if (categories.empty()) categories = "not set";
  if (!data.categoriesFrom.empty()) categories += " (" + data.categoriesFrom + ")";
  return text + Labelled("Categories", categories);
}

std::string SummaryHtml(const ReportData& data) {
  return Section("Summary to post",
                 Tag("pre", "id=\"summary\"", EscapeHtml(SummaryText(data))) +
                     "<p class=\"legend\">Plain text to copy into a score-posting form: the "
                     "scored QSOs by band and mode, the multipliers that score, the plug-in's "
                     "score, and the entry's categories with where they come from.</p>");
}

}  // namespace tools
