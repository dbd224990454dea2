#pragma once

// A log file's text before it is read as a log: UTF-16 made UTF-8, and
// ADIF's XML form (ADX), which the readers do not take, told apart.

#include <string>

namespace tools {

// Converts text that begins with a UTF-16 byte order mark (either byte
// order) to UTF-8 in `utf8`, its mark becoming UTF-8's (EF BB BF); a lone
// surrogate and an odd last byte become U+FFFD. Returns false, leaving
// `utf8` alone, for any other text, which is read as it is.
bool Utf16ToUtf8(const std::string& bytes, std::string* utf8);

// Whether `text` is an ADX (XML) file: after a UTF-8 byte order mark and
// blanks, it begins with "<?xml" or "<ADX", in any case.
bool IsAdxText(const std::string& text);

}  // namespace tools
