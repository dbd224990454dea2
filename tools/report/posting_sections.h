#pragma once

// The report page's sections of what contesters post with their log: the
// operating time with its off times, the best rates, and a plain-text
// summary ready to paste into a score-posting form. All over the QSOs the
// plug-in stored (ReportData::activity and the matrix); nothing here counts
// anew.
//
// Their data- attributes, for checks:
//   operating time  <dl id="operating-time" data-first data-last (as
//                   "2026-12-19 12:00") data-on-air (minutes) data-breaks>,
//                   each off time <tr data-break-from data-break-to
//                   data-break-minutes>;
//   best rates      <tr data-rate="10|60|last60" data-qsos data-start>;
//   summary         <pre id="summary">, the text of SummaryText.

#include <string>

#include "tools/report/report_data.h"

namespace tools {

std::string OperatingTimeHtml(const ReportData& data);
std::string BestRatesHtml(const ReportData& data);

// The summary, LF line ends, ASCII but for what the log and the Cabrillo
// header hold: a band × mode table of the scored QSOs with each band's
// multipliers (those with a band weight) and totals, the claimed score (the
// plug-in's), the operating time, the best rates and the Cabrillo header's
// categories ("not set" without any).
std::string SummaryText(const ReportData& data);
std::string SummaryHtml(const ReportData& data);

}  // namespace tools
