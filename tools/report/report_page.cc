#include "tools/report/report_page.h"

#include <algorithm>

#include "tools/report/html_parts.h"
#include "tools/report/posting_sections.h"
#include "tools/report/svg_chart.h"

namespace tools {
namespace {

// One colour per band of the band table, the same on every page; a label
// outside the table gets kOtherBandColour.
struct BandColour {
  const char* band;
  const char* colour;
};
constexpr BandColour kBandColours[] = {
    {"160m", "#6b3d1f"}, {"80m", "#1f5f8b"}, {"60m", "#8c6d1f"}, {"40m", "#e07a1f"},
    {"30m", "#5b7f2a"},  {"20m", "#2a9d6b"}, {"17m", "#3d8fc4"}, {"15m", "#7b4fa3"},
    {"12m", "#d4a017"},  {"10m", "#c8323c"}, {"6m", "#b5179e"},  {"2m", "#17a2a2"},
    {"70cm", "#4a4f8c"},
};
constexpr char kOtherBandColour[] = "#6f7782";
constexpr char kOtherBandClass[] = "b-other";

constexpr char kStyle[] = R"(
@page{size:A4;margin:11mm 12mm}
*{box-sizing:border-box}
body{margin:0 auto;max-width:1000px;padding:18px 22px;color:#1d2430;background:#fff;
 font:13px/1.4 "DejaVu Sans","Segoe UI",Helvetica,Arial,sans-serif;
 -webkit-print-color-adjust:exact;print-color-adjust:exact}
header{display:flex;justify-content:space-between;align-items:flex-end;
 border-bottom:3px solid #1f5f8b;padding-bottom:8px;margin-bottom:12px}
h1{margin:0;font-size:26px;letter-spacing:.5px}
h1 small{font-size:14px;font-weight:normal;color:#5a6475;margin-left:8px}
.sub{color:#5a6475;font-size:12px}
.score{text-align:right}.score b{display:block;font-size:30px;color:#1f5f8b;line-height:1}
h2{font-size:13px;text-transform:uppercase;letter-spacing:1px;color:#1f5f8b;
 margin:14px 0 6px;border-bottom:1px solid #d5dbe3;padding-bottom:2px}
.cols{display:grid;grid-template-columns:1fr 1fr;gap:0 22px}
section{break-inside:avoid}
table{border-collapse:collapse;width:100%;font-variant-numeric:tabular-nums}
th,td{padding:2px 6px;text-align:right;border-bottom:1px solid #e6eaf0}
th{font-size:11px;color:#5a6475;font-weight:600;border-bottom:1px solid #b9c2cf}
th:first-child,td:first-child{text-align:left}
tr.total td{font-weight:bold;border-top:1.5px solid #1d2430}
td small{color:#5a6475}
.matrix td{vertical-align:top}.matrix td b{font-size:14px}
.matrix td span{display:block;font-size:10.5px;color:#5a6475}
.matrix td.empty{color:#b9c2cf}
dl{display:grid;grid-template-columns:auto 1fr;gap:1px 10px;margin:0;font-size:12px}
dt{color:#5a6475}dd{margin:0}dd small{color:#5a6475}
ul.warn{margin:6px 0 0;padding-left:16px;font-size:11.5px;color:#8a4b0f}
svg.chart{width:100%;height:auto;display:block;font-size:9px;fill:#5a6475}
svg .grid{stroke:#e6eaf0}svg .axis{stroke:#8893a3}
.ssb{fill-opacity:.45;opacity:.45}.k{fill:#5a6475;background:#5a6475}
rect.bar{stroke:#fff;stroke-width:.6}
.t0{fill:#9aa3af;background:#9aa3af}.t1{fill:#0b3c5d;background:#0b3c5d}
.t2{fill:#1f6f9b;background:#1f6f9b}.t3{fill:#4f9fcf;background:#4f9fcf}
.t4{fill:#93c8ea;background:#93c8ea}
.legend{font-size:11px;color:#5a6475;margin:2px 0 4px}
.legend span{margin-right:10px;white-space:nowrap}
.legend i{display:inline-block;width:10px;height:10px;margin-right:3px;vertical-align:-1px}
.mults th{text-align:left;vertical-align:top;white-space:nowrap;width:1%;color:#1d2430;
 font-size:11.5px;padding-right:10px}
.mults th b{color:#1f5f8b;margin-left:4px}
.mults tr.worthless th,.mults tr.worthless .m b{color:#8893a3}
.mults td{text-align:left;font-size:10px;line-height:1.6;color:#6b7585}
.m{white-space:nowrap;margin-right:4px}.m b{color:#1d2430}
.small td{font-size:11.5px}.mono{font-family:"DejaVu Sans Mono",Consolas,monospace;
 font-size:10.5px}
.reason{color:#b0282f;font-weight:600;white-space:nowrap;font-size:10.5px}
.cols.wide{grid-template-columns:3fr 2fr}
.none{color:#8893a3;font-style:italic}
pre#summary{margin:0;padding:6px 8px;background:#f4f6f9;border:1px solid #d5dbe3;
 font:11px/1.35 "DejaVu Sans Mono",Consolas,monospace;white-space:pre-wrap}
footer{margin-top:14px;border-top:1px solid #d5dbe3;padding-top:4px;font-size:10.5px;
 color:#8893a3}
@media print{body{padding:0;max-width:none;font-size:10px}
 h2{margin:8px 0 4px;font-size:11px}.score b{font-size:22px}h1{font-size:20px}
 th,td{padding:1px 5px}.mults td{font-size:8.5px;line-height:1.45}.mults th{font-size:10px}
 .matrix td b{font-size:12px}.matrix td span{font-size:9px}.legend{font-size:9.5px}
 .small td,.mono,.reason{font-size:9px}dl{font-size:10px}pre#summary{font-size:9px}}
)";

// A class name may not begin with a digit, hence the prefix.
std::string BandClass(const std::string& band) {
  const auto known = [&band](const BandColour& entry) { return band == entry.band; };
  return std::any_of(std::begin(kBandColours), std::end(kBandColours), known)
             ? "b-" + band
             : std::string(kOtherBandClass);
}

// Bars take the fill, legend swatches the background.
std::string BandColourStyle() {
  const auto rule = [](const std::string& cssClass, const std::string& colour) {
    return "." + cssClass + "{fill:" + colour + ";background:" + colour + "}";
  };
  std::string style;
  for (const BandColour& entry : kBandColours) style += rule(BandClass(entry.band), entry.colour);
  return style + rule(kOtherBandClass, kOtherBandColour) + "\n";
}

// For an existing tour (TourExists); the last may end at midnight early.
std::string TourHead(int tour, int startHour) {
  if (tour == 0) return "Outside";
  const int from = startHour + (tour - 1) * kTourHours;
  return "Tour " + Num(tour) + " <small>" + TwoDigits(from) + "–" +
         TwoDigits(std::min(from + kTourHours, kDayHours)) + " UTC</small>";
}

// Says which tours would begin at or after midnight; empty when all exist.
std::string PastMidnightNote(int startHour) {
  int first = 1;
  while (first <= kTours && TourExists(first, startHour)) ++first;
  if (first > kTours) return "";
  const std::string which =
      first == kTours ? "Tour " + Num(first) : "Tours " + Num(first) + "–" + Num(kTours);
  return which + " would lie past midnight: the plug-in's tours follow the hour of the day " +
         "only, so they do not exist in a contest starting at " + TwoDigits(startHour) +
         ":00, and QSOs after midnight count under Outside. ";
}

// The tours that get a column: those of 1 to 4 that exist, 0 (outside the
// tours) when it holds QSOs.
std::vector<int> Tours(const ReportData& data) {
  std::vector<int> tours;
  for (int tour = 1; tour <= kTours; ++tour) {
    if (TourExists(tour, data.startHour)) tours.push_back(tour);
  }
  for (const MatrixRow& row : data.matrix) {
    if (row.cells[0].qsos > 0) {
      tours.push_back(0);
      break;
    }
  }
  return tours;
}

std::string Header(const ReportData& data) {
  const std::string title =
      EscapeHtml(data.results.title.empty() ? std::string("Results") : data.results.title);
  std::string date = data.qsos.empty() ? std::string() : data.qsos.front().line.date;
  std::string summary = "Drawn from the " + std::string(LogKindName(data.logKind)) + " log " +
                        EscapeHtml(data.logName) + ": " + Count(data.offered, "QSO") +
                        " offered · " + Num(data.accepted) + " accepted · " + Num(data.refused) +
                        " refused";
  return "<header><div>" +
         Tag("h1", "",
             EscapeHtml(data.ownCall) + "<small>" + title +
                 (date.empty() ? "" : " · " + EscapeHtml(date)) + "</small>") +
         Tag("div", "class=\"sub\" " + Attr("data-log-kind", LogKindName(data.logKind)), summary) +
         "</div><div class=\"score\">" + Tag("span", "class=\"sub\"", "Claimed score") +
         (data.results.hasScore
              ? Tag("b", Attr("data-score", Num(data.results.score)), Num(data.results.score))
              : Tag("b", "", "–")) +
         "</div></header>\n";
}

std::string ResultsTableHtml(const ReportData& data) {
  std::string head = Tag("th", "", "Band");
  for (const std::string& column : data.results.columns) head += Tag("th", "", EscapeHtml(column));
  std::string rows;
  for (const ResultsTable::Row& row : data.results.rows) {
    std::string cells = Tag("td", "", EscapeHtml(row.label));
    std::string values;
    for (int64_t value : row.values) {
      cells += Tag("td", "", Num(value));
      values += (values.empty() ? "" : " ") + Num(value);
    }
    const bool total = &row == &data.results.rows.back();
    rows += Tag("tr",
                Attr("data-band", row.label) + " " + Attr("data-values", values) +
                    (total ? " class=\"total\"" : ""),
                cells) +
            "\n";
  }
  return Tag("table", "", Tag("tr", "", head) + "\n" + rows);
}

std::string SettingsHtml(const ReportData& data) {
  std::string items;
  for (const PlanSetting& setting : data.settings) {
    items += Tag("dt", "", EscapeHtml(setting.name)) +
             Tag("dd", "",
                 (setting.value.empty() ? "(empty)" : EscapeHtml(setting.value)) + " <small>" +
                     EscapeHtml(setting.source) + "</small>");
  }
  std::string warnings;
  for (const std::string& warning : data.warnings) warnings += Tag("li", "", EscapeHtml(warning));
  return Tag("dl", "", items) + (warnings.empty() ? "" : Tag("ul", "class=\"warn\"", warnings));
}

std::string CellHtml(const MatrixCell& cell, const std::string& attributes) {
  if (cell.qsos == 0) return Tag("td", attributes + " class=\"empty\"", "–");
  const std::string worthless =
      cell.worthlessMults == 0 ? "" : " · " + Num(cell.worthlessMults) + " scoring nothing";
  return Tag(
      "td", attributes,
      "<b>" + Num(cell.qsos) + "</b>" +
          Tag("span", "", Num(cell.points) + " pts · " + Num(cell.mults) + " mult" + worthless));
}

std::string MatrixHtml(const ReportData& data) {
  const std::vector<int> tours = Tours(data);
  std::string head = Tag("th", "", "Band");
  for (int tour : tours) head += Tag("th", "", TourHead(tour, data.startHour));
  head += Tag("th", "", "Last serial") + Tag("th", "", "Band points");
  std::string rows;
  MatrixRow sum;
  int64_t serials = 0;  // wider than one row's serial
  for (const MatrixRow& row : data.matrix) {
    std::string cells = Tag("td", "", EscapeHtml(row.band));
    for (int tour : tours) {
      cells += CellHtml(row.cells[tour], Attr("data-band", row.band) + " " +
                                             Attr("data-tour", Num(tour)) + " " +
                                             Attr("data-qsos", Num(row.cells[tour].qsos)) + " " +
                                             Attr("data-points", Num(row.cells[tour].points)) +
                                             " " + Attr("data-mults", Num(row.cells[tour].mults)));
      sum.cells[tour].qsos += row.cells[tour].qsos;
      sum.cells[tour].points += row.cells[tour].points;
      sum.cells[tour].mults += row.cells[tour].mults;
      sum.cells[tour].worthlessMults += row.cells[tour].worthlessMults;
    }
    serials += row.serial;
    cells +=
        Tag("td", "", "+" + Num(row.serial)) + Tag("td", "", "<b>" + Num(row.Points()) + "</b>");
    rows += Tag("tr",
                Attr("data-band", row.band) + " " + Attr("data-serial", Num(row.serial)) + " " +
                    Attr("data-total", Num(row.Points())),
                cells) +
            "\n";
  }
  std::string total = Tag("td", "", "Total");
  for (int tour : tours) total += CellHtml(sum.cells[tour], "");
  total += Tag("td", "", "+" + Num(serials)) + Tag("td", "", Num(sum.Points() + serials));
  return Tag("table", "class=\"matrix\"",
             Tag("tr", "", head) + "\n" + rows + Tag("tr", "class=\"total\"", total)) +
         "<p class=\"legend\">" + PastMidnightNote(data.startHour) +
         "Each cell: QSOs, their points with the band weight of each multiplier, and "
         "multipliers; those of a band the plug-in gives no weight score nothing and are not "
         "counted. The plug-in adds the serial of the band's last QSO.</p>";
}

std::string Legend(const std::vector<std::pair<std::string, std::string>>& keys) {
  std::string text;
  for (const auto& key : keys) {
    const std::string swatch = key.first.empty() ? "" : "<i class=\"" + key.first + "\"></i>";
    text += "<span>" + swatch + EscapeHtml(key.second) + "</span>";
  }
  return Tag("div", "class=\"legend\"", text);
}

std::string RateChart(const ReportData& data) {
  std::vector<BarGroup> groups;
  for (const RateBin& bin : data.bins) {
    BarGroup group;
    const std::string clock = ClockOf(bin.startMinute);
    group.label = data.binMinutes == 60 ? clock.substr(0, 2) : clock;
    for (size_t b = 0; b < data.bands.size(); ++b) {
      for (const char* mode : {"CW", "SSB"}) {
        const auto found = bin.counts.find({data.bands[b], mode});
        if (found == bin.counts.end()) continue;
        group.segments.push_back(
            {double(found->second),
             BandClass(data.bands[b]) + (mode == std::string("SSB") ? " ssb" : ""),
             clock + "–" + ClockOf(bin.startMinute + data.binMinutes) + " UTC " + data.bands[b] +
                 " " + mode + ": " + Count(found->second, "QSO")});
      }
    }
    groups.push_back(group);
  }
  std::vector<std::pair<std::string, std::string>> keys;
  for (const std::string& band : data.bands) keys.push_back({BandClass(band), band});
  keys.push_back({"k", "CW"});
  keys.push_back({"k ssb", "SSB"});
  const std::string per = data.binMinutes == 60 ? "hour" : Num(data.binMinutes) + " minutes";
  return Section(
      "QSOs per " + per + " (UTC)",
      StackedColumns(groups, {"rate-chart", "QSOs per " + per, 480, 190}) + Legend(keys));
}

std::string PointsChart(const ReportData& data) {
  const std::vector<int> tours = Tours(data);
  const auto scored = [](const MatrixRow& row) { return row.Points() > 0; };
  if (std::none_of(data.matrix.begin(), data.matrix.end(), scored)) {
    return Section("Points by band and tour", "<p class=\"none\">No QSO scored.</p>");
  }
  std::vector<BarGroup> groups;
  for (const MatrixRow& row : data.matrix) {
    BarGroup group{row.band, {}};
    for (int tour : tours) {
      const MatrixCell& cell = row.cells[tour];
      group.segments.push_back(
          {double(cell.points), "t" + Num(tour),
           row.band + (tour == 0 ? " outside the tours" : " tour " + Num(tour)) + ": " +
               Count(cell.points, "point") + ", " + Count(cell.qsos, "QSO") + ", " +
               Count(cell.mults, "multiplier")});
    }
    groups.push_back(group);
  }
  std::vector<std::pair<std::string, std::string>> keys;
  for (int tour : tours) {
    keys.push_back({"t" + Num(tour), tour == 0 ? "outside" : "tour " + Num(tour)});
  }
  keys.push_back({"", "(without the last serial)"});
  const int height = 30 + 24 * static_cast<int>(groups.size());
  return Section(
      "Points by band and tour",
      StackedRows(groups, {"points-chart", "Points by band and tour", 480, height}) + Legend(keys));
}

std::string MultipliersHtml(const ReportData& data) {
  std::string rows;
  for (size_t b = 0; b < data.bands.size(); ++b) {
    for (int tour : Tours(data)) {
      const std::vector<Multiplier>& mults = data.mults[tour][b];
      if (mults.empty()) continue;
      std::string list;
      size_t scoring = 0;
      for (const Multiplier& mult : mults) {
        const ReportQso& qso = data.qsos[mult.first];
        scoring += mult.scores ? 1 : 0;
        list += Tag("span", "class=\"m\"",
                    "<b>" + (mult.code.empty() ? "(none)" : EscapeHtml(mult.code)) + "</b> " +
                        EscapeHtml(qso.call) + " " + ClockOf(qso.minute)) +
                " ";
      }
      // A band's weight is one for all its multipliers, so a row is all or none.
      const bool worthless = scoring == 0;
      rows += Tag("tr", worthless ? "class=\"worthless\"" : "",
                  Tag("th", "",
                      EscapeHtml(data.bands[b]) + " " + TourHead(tour, data.startHour) +
                          (worthless ? "<br><small>score nothing</small>"
                                     : "<b>" + Num(scoring) + "</b>")) +
                      Tag("td", "", list)) +
              "\n";
    }
  }
  return Section(
      "Multipliers: code, the QSO that brought it, its time (UTC)",
      rows.empty() ? "<p class=\"none\">None.</p>" : Tag("table", "class=\"mults\"", rows));
}

std::string RefusedHtml(const ReportData& data, const std::string& errName) {
  std::string rows;
  for (const RefusedQso& qso : data.refusedQsos) {
    rows += Tag("tr", Attr("data-line", qso.line),
                Tag("td", "class=\"mono\"", EscapeHtml(qso.qso)) +
                    Tag("td", "class=\"reason\"", EscapeHtml(qso.reason))) +
            "\n";
  }
  const std::string body =
      rows.empty()
          ? "<p class=\"none\">None.</p>"
          : Tag("table", "class=\"small\"",
                Tag("tr", "",
                    Tag("th", "", "QSO as the plug-in lists it") + Tag("th", "", "Reason")) +
                    rows);
  return Section("Refused (" + Num(data.refusedQsos.size()) + ", from " + EscapeHtml(errName) + ")",
                 body);
}

// The plug-in does not look for repeats when it scores: a repeat is a QSO
// like any other.
std::string RepeatsHtml(const ReportData& data) {
  std::string rows;
  for (const ReportQso& qso : data.qsos) {
    if (!qso.repeat) continue;
    rows += Tag("tr", "",
                Tag("td", "", ClockOf(qso.minute)) + Tag("td", "", EscapeHtml(qso.call)) +
                    Tag("td", "", EscapeHtml(qso.band)) + Tag("td", "", EscapeHtml(qso.mode)) +
                    Tag("td", "", qso.tour == 0 ? "–" : Num(qso.tour)) +
                    Tag("td", "", Num(qso.line.points))) +
            "\n";
  }
  std::string body =
      rows.empty()
          ? "<p class=\"none\">None.</p>"
          : Tag("table", "class=\"small\"",
                Tag("tr", "",
                    Tag("th", "", "UTC") + Tag("th", "", "Call") + Tag("th", "", "Band") +
                        Tag("th", "", "Mode") + Tag("th", "", "Tour") +
                        Tag("th", "", "Points scored")) +
                    rows) +
                "<p class=\"legend\">The plug-in scores a repeat like any other QSO: its 10, 30 "
                "or 60 points count in full, and its multiplier counts only if the code is new on "
                "the band in that tour.</p>";
  if (data.alreadyStored > 0) {
    body += "<p class=\"legend\">" + Num(data.alreadyStored) +
            " more record(s) equal to a QSO already stored: the plug-in kept one.</p>";
  }
  return Section("Repeats: same call, band and mode in one tour", body);
}

}  // namespace

const char kReportMarkLine[] = "<meta name=\"generator\" content=\"logreplay\">";

std::string ReportPage(const ReportData& data, const std::string& cabrilloName,
                       const std::string& errName) {
  std::string page = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n";
  page += std::string(kReportMarkLine) + "\n";
  // Whatever a log holds, the page runs no script and fetches nothing.
  page +=
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
      "style-src 'unsafe-inline'\">\n";
  page += Tag("title", "", EscapeHtml(data.ownCall) + " – " + EscapeHtml(data.results.title)) +
          "\n<style>" + kStyle + BandColourStyle() + "</style></head>\n<body>\n";
  page += Header(data);
  page += "<div class=\"cols\">" + Section("Results", ResultsTableHtml(data)) +
          Section("Replay settings", SettingsHtml(data)) + "</div>\n";
  page += Section("Band × tour", MatrixHtml(data));
  page += data.qsos.empty()
              ? "<p class=\"none\">No QSO stored, so no charts.</p>\n"
              : "<div class=\"cols\">" + RateChart(data) + PointsChart(data) + "</div>\n";
  page += "<div class=\"cols\">" + OperatingTimeHtml(data) + BestRatesHtml(data) + "</div>\n";
  page += MultipliersHtml(data);
  page += "<div class=\"cols wide\">" + RefusedHtml(data, errName) + RepeatsHtml(data) + "</div>\n";
  page += SummaryHtml(data);
  page +=
      Tag("footer", "",
          EscapeHtml(data.results.credit) + " · drawn by logreplay from the plug-in's results, " +
              EscapeHtml(cabrilloName) + " and " + EscapeHtml(errName)) +
      "\n</body></html>\n";
  return page;
}

}  // namespace tools
