#pragma once

#include <cstdint>
#include <string_view>

namespace stats {

// The number a text begins with: leading white space skipped, an optional
// sign, then the leading decimal digits; 0 when no digit follows. Values
// beyond the 32-bit range saturate at the nearest limit.
int32_t DecimalValue(std::string_view text);

}  // namespace stats
