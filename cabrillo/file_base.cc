#include "cabrillo/file_base.h"

#include <cctype>

#include "cabrillo/replace_all.h"

namespace cabrillo {
namespace {

bool IsWhiteSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

bool IsForbidden(char ch) {
  const unsigned char byte = static_cast<unsigned char>(ch);
  if (byte < 32) return true;
  for (char bad : {'<', '>', ':', '"', '|', '?', '*'}) {
    if (ch == bad) return true;
  }
  return false;
}

bool IsDeviceName(std::string stem) {
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& ch : stem) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string CabrilloFileBase(const std::string& callsign) {
  std::string base = ReplaceAll(ReplaceAll(callsign, "/", "_"), "\\", "_");
  std::size_t begin = 0, end = base.size();
  while (begin < end && IsWhiteSpace(base[begin])) ++begin;
  while (end > begin && IsWhiteSpace(base[end - 1])) --end;
  base = base.substr(begin, end - begin);
  if (base.empty()) return "TAVIN";

  for (char& ch : base) {
    if (IsForbidden(ch)) ch = '_';
  }
  const std::size_t dot = base.find('.');
  const std::size_t stemEnd = dot == std::string::npos ? base.size() : dot;
  if (IsDeviceName(base.substr(0, stemEnd))) base.insert(stemEnd, "_");
  return base;
}

}  // namespace cabrillo
