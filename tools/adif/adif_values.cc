#include "tools/adif/adif_values.h"

#include <cmath>
#include <cstring>

#include "tools/adif/adif_reader.h"

namespace tools {
namespace {

constexpr uint64_t kHzPerMhz = 1000000;
constexpr int kMhzDecimals = 6;
constexpr long long kOleDayOfUnixEpoch = 25569;  // 1970-01-01

struct Band {
  const char* label;
  uint32_t lowerHz;
  uint32_t upperHz;
};

// The part of the ADIF band table that contest stations use.
constexpr Band kBands[] = {
    {"160m", 1800000, 2000000},     {"80m", 3500000, 4000000},   {"60m", 5060000, 5450000},
    {"40m", 7000000, 7300000},      {"30m", 10100000, 10150000}, {"20m", 14000000, 14350000},
    {"17m", 18068000, 18168000},    {"15m", 21000000, 21450000}, {"12m", 24890000, 24990000},
    {"10m", 28000000, 29700000},    {"6m", 50000000, 54000000},  {"2m", 144000000, 148000000},
    {"70cm", 420000000, 450000000},
};

constexpr char kBlanks[] = " \t\r\n\f\v";

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string WithoutBlanks(const std::string& text) {
  std::string kept;
  for (char c : text) {
    if (std::strchr(kBlanks, c) == nullptr || c == '\0') kept += c;
  }
  return kept;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(const std::string& text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int DigitsValue(const std::string& text, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(int year, int month, int day) {
  const long long y = year - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long long days) {
  const long long z = days + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return CivilDate{static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

bool CheckCivilDate(int year, int month, int day, std::string* problem) {
  if (year < 1900 || year > 9999) {
    *problem = "year outside 1900-9999";
  } else if (month < 1 || month > 12) {
    *problem = "month outside 01-12";
  } else if (day < 1 || day > DaysInMonth(year, month)) {
    *problem = "no such day in that month";
  } else {
    return true;
  }
  return false;
}

}  // namespace

bool ParseAdifDate(const std::string& text, CivilDate* date, std::string* problem) {
  if (text.size() != 8 || !AllDigits(text)) {
    *problem = "date \"" + text + "\" is not YYYYMMDD";
    return false;
  }
  const int year = DigitsValue(text, 0, 4);
  const int month = DigitsValue(text, 4, 2);
  const int day = DigitsValue(text, 6, 2);
  if (!CheckCivilDate(year, month, day, problem)) {
    *problem = "date \"" + text + "\": " + *problem;
    return false;
  }
  *date = CivilDate{year, month, day};
  return true;
}

bool ParseAdifTime(const std::string& text, TimeOfDay* time, std::string* problem) {
  if ((text.size() != 4 && text.size() != 6) || !AllDigits(text)) {
    *problem = "time \"" + text + "\" is not HHMM or HHMMSS";
    return false;
  }
  TimeOfDay parsed{DigitsValue(text, 0, 2), DigitsValue(text, 2, 2),
                   text.size() == 6 ? DigitsValue(text, 4, 2) : 0};
  if (parsed.hour > 23 || parsed.minute > 59 || parsed.second > 59) {
    *problem = "time \"" + text + "\" is out of range";
    return false;
  }
  *time = parsed;
  return true;
}

double ToOleDate(const CivilDate& date, const TimeOfDay& time) {
  const long long days = DaysFromCivil(date.year, date.month, date.day) + kOleDayOfUnixEpoch;
  const int seconds = time.hour * 3600 + time.minute * 60 + time.second;
  return static_cast<double>(days) + seconds / 86400.0;
}

void OleToCivil(double ole, CivilDate* date, TimeOfDay* time) {
  const long long seconds = std::llround(ole * 86400.0);
  const long long days = seconds / 86400;
  const int second = static_cast<int>(seconds % 86400);
  *date = CivilFromDays(days - kOleDayOfUnixEpoch);
  *time = TimeOfDay{second / 3600, second / 60 % 60, second % 60};
}

bool ParseFrequencyMhz(const std::string& text, uint32_t* hz, std::string* problem) {
  const size_t dot = text.find('.');
  const std::string whole = text.substr(0, dot);
  const std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);
  if (whole.empty() && fraction.empty()) {
    *problem = "frequency \"" + text + "\" has no digits";
    return false;
  }
  if (!AllDigits(whole) || !AllDigits(fraction)) {
    *problem = "frequency \"" + text + "\" is not a decimal number of MHz";
    return false;
  }
  uint64_t value = 0;
  for (char c : whole) {
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > UINT32_MAX / kHzPerMhz) break;
  }
  value *= kHzPerMhz;
  uint64_t scale = kHzPerMhz;
  for (size_t i = 0; i < fraction.size() && i < kMhzDecimals; ++i) {
    scale /= 10;
    value += static_cast<uint64_t>(fraction[i] - '0') * scale;
  }
  if (value > UINT32_MAX) {
    *problem = "frequency \"" + text + "\" is above 4294.967295 MHz";
    return false;
  }
  *hz = static_cast<uint32_t>(value);
  return true;
}

std::string FormatFrequencyMhz(uint32_t hz) {
  std::string fraction = std::to_string(hz % kHzPerMhz);
  fraction.insert(0, kMhzDecimals - fraction.size(), '0');
  while (fraction.size() > 3 && fraction.back() == '0') fraction.pop_back();
  return std::to_string(hz / kHzPerMhz) + "." + fraction;
}

std::string NormalizeBand(const std::string& band) {
  std::string lower = Trimmed(band);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string BandOfFrequency(uint32_t hz) {
  for (const Band& band : kBands) {
    if (hz >= band.lowerHz && hz <= band.upperHz) return band.label;
  }
  return std::string();
}

uint32_t BandLowerEdgeHz(const std::string& band) {
  for (const Band& entry : kBands) {
    if (band == entry.label) return entry.lowerHz;
  }
  return 0;
}

std::string HostMode(const std::string& mode) {
  const std::string upper = AdifUpper(Trimmed(mode));
  return upper == "USB" || upper == "LSB" ? std::string("SSB") : upper;
}

std::string JoinExchange(const std::string& text, const std::string& serial) {
  std::string joined = WithoutBlanks(text);
  const std::string digits = WithoutBlanks(serial);
  if (joined.empty()) {
    joined = digits;
  } else if (!IsDigit(joined[0]) && !digits.empty() && AllDigits(digits)) {
    joined = digits + joined;
  }
  return AdifUpper(joined);
}

std::string UpperTrimmed(const std::string& text) { return AdifUpper(Trimmed(text)); }

std::string MultCodeFromExchange(const std::string& exchange) {
  size_t begin = 0;
  while (begin < exchange.size() && exchange[begin] >= '0' && exchange[begin] <= '9') {
    ++begin;
  }
  size_t end = begin;
  while (end < exchange.size() && ((exchange[end] >= 'A' && exchange[end] <= 'Z') ||
                                   (exchange[end] >= 'a' && exchange[end] <= 'z'))) {
    ++end;
  }
  return exchange.substr(begin, end - begin);
}

bool ContestStartToOle(const std::string& date, int hour, double* ole, std::string* problem) {
  std::string compact = date;
  if (date.size() == 10 && date[4] == '-' && date[7] == '-') {
    compact = date.substr(0, 4) + date.substr(5, 2) + date.substr(8, 2);
  }
  if (compact.size() != 8 || !AllDigits(compact)) {
    *problem = "contest start date \"" + date + "\" is not YYYY-MM-DD or YYYYMMDD";
    return false;
  }
  const CivilDate civil{DigitsValue(compact, 0, 4), DigitsValue(compact, 4, 2),
                        DigitsValue(compact, 6, 2)};
  if (!CheckCivilDate(civil.year, civil.month, civil.day, problem)) {
    *problem = "contest start date \"" + date + "\": " + *problem;
    return false;
  }
  if (hour < 0 || hour > 23) {
    *problem = "contest start hour " + std::to_string(hour) + " is outside 0-23";
    return false;
  }
  *ole = ToOleDate(civil, TimeOfDay{hour, 0, 0});
  return true;
}

}  // namespace tools
