#pragma once

// A small writer of inline SVG bar charts for the report page: stacked
// columns (a value axis on the left, labels below) and stacked rows (labels
// on the left). Every segment with a value above zero is one
// <rect class="bar ..."> carrying data-value and a <title> for its tooltip;
// nothing else in a chart is a <rect>. Colours come from the page's CSS
// through the segments' classes.

#include <string>
#include <vector>

namespace tools {

// `text` with & < > " ' as character references, fit for HTML text and
// quoted attribute values; tabs and line breaks are kept (a <pre> shows
// them), other control bytes become '?'.
std::string EscapeHtml(const std::string& text);

struct BarSegment {
  double value = 0;
  std::string cssClass;  // e.g. "b0 ssb"
  std::string title;     // tooltip, plain text
};

struct BarGroup {
  std::string label;                 // plain text; an empty label draws none
  std::vector<BarSegment> segments;  // stacked from the axis outwards
};

struct ChartFrame {
  std::string id;     // the <svg>'s id
  std::string title;  // its accessible name
  int width = 600;    // user units; the page scales the chart to its width
  int height = 200;
};

// One column per group, segments stacked upwards.
std::string StackedColumns(const std::vector<BarGroup>& groups, const ChartFrame& frame);

// One row per group, segments stacked rightwards, each row's total at its end.
std::string StackedRows(const std::vector<BarGroup>& groups, const ChartFrame& frame);

}  // namespace tools
