#include "tools/report/html_parts.h"

#include "tools/adif/adif_values.h"
#include "tools/report/svg_chart.h"

namespace tools {
namespace {

constexpr long long kDayMinutes = 24 * 60;

}  // namespace

std::string Num(int64_t value) { return std::to_string(value); }

std::string Count(int64_t value, const std::string& noun) {
  return Num(value) + " " + noun + (value == 1 ? "" : "s");
}

std::string TwoDigits(long long value) {
  return std::string(value < 10 ? "0" : "") + std::to_string(value);
}

std::string ClockOf(long long minute) {
  const long long ofDay = ((minute % kDayMinutes) + kDayMinutes) % kDayMinutes;
  return TwoDigits(ofDay / 60) + ":" + TwoDigits(ofDay % 60);
}

std::string DateTimeOf(long long minute) {
  CivilDate date;
  TimeOfDay midnight;
  // The day alone, a whole number: the time of day cannot round into the next.
  OleToCivil(static_cast<double>(minute / kDayMinutes), &date, &midnight);
  return std::to_string(date.year) + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day) + " " +
         ClockOf(minute);
}

std::string HoursAndMinutes(long long minutes) {
  return Num(minutes / 60) + " h " + TwoDigits(minutes % 60) + " min";
}

std::string Tag(const char* name, const std::string& attributes, const std::string& inner) {
  return std::string("<") + name + (attributes.empty() ? "" : " " + attributes) + ">" + inner +
         "</" + name + ">";
}

std::string Attr(const char* name, const std::string& value) {
  return std::string(name) + "=\"" + EscapeHtml(value) + "\"";
}

std::string Section(const std::string& title, const std::string& body) {
  return "<section>" + Tag("h2", "", title) + body + "</section>\n";
}

}  // namespace tools
