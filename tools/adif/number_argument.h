#pragma once

// A number given on the command line of the log generators.

#include <cerrno>
#include <cstdlib>

namespace tools {

// Reads `text` as a decimal number of at most `max` into `value`: digits
// only, no sign and no blanks. False for anything else, `value` then
// undefined.
inline bool ParseUnsignedArgument(const char* text, unsigned long max, unsigned long* value) {
  if (text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  errno = 0;
  *value = std::strtoul(text, &end, 10);
  return errno == 0 && *end == '\0' && *value <= max;
}

}  // namespace tools
