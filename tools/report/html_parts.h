#pragma once

// The small pieces the report page's sections are written with. Text
// arguments named `inner` and `body` are HTML already; every other text is
// escaped where it lands.

#include <cstdint>
#include <string>

namespace tools {

std::string Num(int64_t value);

// "1 QSO", "2 QSOs": a count and its noun, plural but for one.
std::string Count(int64_t value, const std::string& noun);

// "07" for 7: hours and minutes of a clock.
std::string TwoDigits(long long value);

// "HH:MM" of a minute since the OLE epoch (a midnight).
std::string ClockOf(long long minute);

// "2026-12-19 12:00" of a minute since the OLE epoch, from 1900 on.
std::string DateTimeOf(long long minute);

// "7 h 56 min" of a count of minutes (0 and up).
std::string HoursAndMinutes(long long minutes);

// <name attributes>inner</name>; `attributes` as written, may be empty.
std::string Tag(const char* name, const std::string& attributes, const std::string& inner);

// name="value", the value escaped.
std::string Attr(const char* name, const std::string& value);

// A <section> with an <h2> title.
std::string Section(const std::string& title, const std::string& body);

}  // namespace tools
