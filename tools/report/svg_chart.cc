#include "tools/report/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tools {
namespace {

// Space for the value axis, the labels and the totals, in user units.
constexpr double kAxisWidth = 34, kLabelHeight = 16, kTop = 8, kRight = 6;
constexpr double kRowLabelWidth = 46, kRowTotalWidth = 44;
constexpr double kBarShare = 0.76;  // of a group's slot
constexpr double kLabelSpan = 30;   // room one column label needs
constexpr int kMostTicks = 5;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// Coordinates rounded to a tenth keep the markup short.
std::string At(double value) { return Number(std::round(value * 10) / 10); }

// A round step (1, 2 or 5 times a power of ten) giving at most kMostTicks
// ticks up to `top`.
double TickStep(double top) {
  if (top <= 0) return 1;
  double step = std::pow(10.0, std::floor(std::log10(top / kMostTicks)));
  for (double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (top / (step * factor) <= kMostTicks) return std::max(1.0, step * factor);
  }
  return std::max(1.0, step * 10);
}

double Total(const BarGroup& group) {
  double sum = 0;
  for (const BarSegment& segment : group.segments) sum += std::max(0.0, segment.value);
  return sum;
}

class SvgWriter {
 public:
  explicit SvgWriter(const ChartFrame& frame) {
    m_text = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"" + EscapeHtml(frame.id) +
             "\" class=\"chart\" viewBox=\"0 0 " + Number(frame.width) + " " +
             Number(frame.height) + "\" role=\"img\" aria-label=\"" + EscapeHtml(frame.title) +
             "\">\n";
  }
  void Bar(double x, double y, double w, double h, const BarSegment& segment) {
    m_text += "<rect class=\"bar " + EscapeHtml(segment.cssClass) + "\" x=\"" + At(x) + "\" y=\"" +
              At(y) + "\" width=\"" + At(w) + "\" height=\"" + At(h) + "\" data-value=\"" +
              Number(segment.value) + "\"><title>" + EscapeHtml(segment.title) +
              "</title></rect>\n";
  }
  void Line(double x1, double y1, double x2, double y2, const char* cssClass) {
    m_text += std::string("<line class=\"") + cssClass + "\" x1=\"" + At(x1) + "\" y1=\"" + At(y1) +
              "\" x2=\"" + At(x2) + "\" y2=\"" + At(y2) + "\"/>\n";
  }
  void Text(double x, double y, const std::string& text, const char* anchor) {
    m_text += "<text x=\"" + At(x) + "\" y=\"" + At(y) + "\" text-anchor=\"" + anchor + "\">" +
              EscapeHtml(text) + "</text>\n";
  }
  std::string Finish() { return m_text + "</svg>\n"; }

 private:
  std::string m_text;
};

double Highest(const std::vector<BarGroup>& groups) {
  double highest = 0;
  for (const BarGroup& group : groups) highest = std::max(highest, Total(group));
  return highest;
}

// Calls draw(segment, size) for each segment of `group` that has a value, in
// order, its size value / top * length.
template <typename Draw>
void Stack(const BarGroup& group, double top, double length, Draw draw) {
  for (const BarSegment& segment : group.segments) {
    if (segment.value > 0) draw(segment, segment.value / top * length);
  }
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        const bool kept = c == '\t' || c == '\n' || c == '\r';
        out += (static_cast<unsigned char>(c) < 0x20 && !kept) || c == 0x7f ? '?' : c;
    }
  }
  return out;
}

std::string StackedColumns(const std::vector<BarGroup>& groups, const ChartFrame& frame) {
  SvgWriter svg(frame);
  const double plotWidth = frame.width - kAxisWidth - kRight;
  const double plotHeight = frame.height - kTop - kLabelHeight;
  const double base = kTop + plotHeight;
  const double step = TickStep(Highest(groups));
  const double top = std::max(step, std::ceil(Highest(groups) / step) * step);
  for (double tick = 0; tick <= top + step / 2; tick += step) {
    const double y = base - tick / top * plotHeight;
    svg.Line(kAxisWidth, y, frame.width - kRight, y, tick == 0 ? "axis" : "grid");
    svg.Text(kAxisWidth - 4, y + 3.5, Number(tick), "end");
  }
  const double slot = groups.empty() ? plotWidth : plotWidth / groups.size();
  const size_t labelEvery = static_cast<size_t>(std::ceil(kLabelSpan / slot));
  for (size_t i = 0; i < groups.size(); ++i) {
    const double x = kAxisWidth + slot * i + slot * (1 - kBarShare) / 2;
    double y = base;
    Stack(groups[i], top, plotHeight, [&](const BarSegment& segment, double h) {
      y -= h;
      svg.Bar(x, y, slot * kBarShare, h, segment);
    });
    if (i % labelEvery == 0 && !groups[i].label.empty()) {
      svg.Text(kAxisWidth + slot * (i + 0.5), frame.height - 4, groups[i].label, "middle");
    }
  }
  return svg.Finish();
}

std::string StackedRows(const std::vector<BarGroup>& groups, const ChartFrame& frame) {
  SvgWriter svg(frame);
  const double plotWidth = frame.width - kRowLabelWidth - kRowTotalWidth;
  const double plotHeight = frame.height - kTop - kLabelHeight;
  const double step = TickStep(Highest(groups));
  const double top = std::max(step, std::ceil(Highest(groups) / step) * step);
  for (double tick = 0; tick <= top + step / 2; tick += step) {
    const double x = kRowLabelWidth + tick / top * plotWidth;
    svg.Line(x, kTop, x, kTop + plotHeight, tick == 0 ? "axis" : "grid");
    svg.Text(x, frame.height - 4, Number(tick), "middle");
  }
  const double slot = groups.empty() ? plotHeight : plotHeight / groups.size();
  for (size_t i = 0; i < groups.size(); ++i) {
    const double y = kTop + slot * i + slot * (1 - kBarShare) / 2;
    double x = kRowLabelWidth;
    Stack(groups[i], top, plotWidth, [&](const BarSegment& segment, double w) {
      svg.Bar(x, y, w, slot * kBarShare, segment);
      x += w;
    });
    const double middle = kTop + slot * (i + 0.5) + 3.5;
    svg.Text(kRowLabelWidth - 6, middle, groups[i].label, "end");
    svg.Text(x + 4, middle, Number(Total(groups[i])), "start");
  }
  return svg.Finish();
}

}  // namespace tools
