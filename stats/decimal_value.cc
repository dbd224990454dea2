#include "stats/decimal_value.h"

#include <limits>

namespace stats {

int32_t DecimalValue(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  int64_t value = 0;
  for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kMax + 1) break;  // already past either limit
  }
  if (negative) value = -value;
  if (value > kMax) return static_cast<int32_t>(kMax);
  if (value < kMin) return static_cast<int32_t>(kMin);
  return static_cast<int32_t>(value);
}

}  // namespace stats
