#pragma once

// `logreplay score LOG --report FILE.html`: one self-contained HTML page
// (inline CSS and SVG, no script, nothing fetched) showing a replayed log as
// the plug-in scored it: which log it was drawn from, the replay's settings
// and warnings, the results table, a band × tour matrix, the rate by hour
// (or ten minutes) stacked by band and mode, points by band and tour, the
// operating time and best rates, the multipliers with the QSO that brought
// each, the refused QSOs, the repeats and a summary to post
// (posting_sections.h). Sized to print on one or
// two A4 pages. Only the tours that exist get a column (none begins past
// midnight); each band of the band table has one colour on every page; a
// page without stored QSOs draws no chart.
//
// Cells and bars carry data- attributes with their numbers, for checks:
//   the log       <div class="sub" data-log-kind="ADIF|Cabrillo">;
//   results rows  <tr data-band="80m" data-values="56 5724 26 30">, the
//                 score <b data-score="N">;
//   matrix cells  <td data-band data-tour data-qsos data-points data-mults>
//                 (data-mults: the multipliers of a band with a weight),
//                 matrix rows <tr data-band data-serial data-total>;
//   refused QSOs  <tr data-line="the err.txt line">;
//   charts        <svg id="rate-chart"> and <svg id="points-chart"> whose
//                 <rect class="bar ..."> are the bars, with data-value.

#include <string>

#include "tools/report/report_data.h"

namespace tools {

// A line in the head of every page, by which logreplay knows a page it
// wrote (and may replace) from any other file.
extern const char kReportMarkLine[];

// The page; `cabrilloName` and `errName` are the files it was read from, as
// named in its footer.
std::string ReportPage(const ReportData& data, const std::string& cabrilloName,
                       const std::string& errName);

}  // namespace tools
