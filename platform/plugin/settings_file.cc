#include "platform/plugin/settings_file.h"

namespace platform {
namespace {

bool HasAnyOf(std::string_view s, std::string_view chars) {
  return s.find_first_of(chars) != std::string_view::npos;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool ValidSettingsNames(std::string_view section, std::string_view key, std::string_view value) {
  using namespace std::string_view_literals;
  return !HasAnyOf(value, "\r\n\0"sv) && !HasAnyOf(section, "\r\n]\0"sv) &&
         !HasAnyOf(key, "\r\n=\0"sv) && (key.empty() || (key.front() != ';' && key.front() != '['));
}

}  // namespace platform
