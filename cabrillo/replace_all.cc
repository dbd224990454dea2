#include "cabrillo/replace_all.h"

namespace cabrillo {

std::string ReplaceAll(const std::string& text, const std::string& search,
                       const std::string& replacement) {
  if (search.empty()) return text;
  std::string result;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(search, from)) != std::string::npos;
       from = at + search.size()) {
    result.append(text, from, at - from);
    result += replacement;
  }
  result.append(text, from, std::string::npos);
  return result;
}

}  // namespace cabrillo
