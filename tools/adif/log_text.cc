#include "tools/adif/log_text.h"

#include <cstdint>

#include "tools/adif/adif_reader.h"

namespace tools {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

void AppendUtf8(uint32_t code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (code >> 18));
    *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

}  // namespace

bool Utf16ToUtf8(const std::string& bytes, std::string* utf8) {
  const bool little = bytes.compare(0, 2, "\xFF\xFE") == 0;
  if (!little && bytes.compare(0, 2, "\xFE\xFF") != 0) return false;
  const auto unitAt = [&](size_t at) -> uint32_t {
    const uint32_t first = static_cast<unsigned char>(bytes[at]);
    const uint32_t second = static_cast<unsigned char>(bytes[at + 1]);
    return little ? first | second << 8 : first << 8 | second;
  };
  std::string& text = *utf8;
  text.clear();
  text.reserve(bytes.size() * 3 / 2);
  size_t at = 0;  // the mark itself becomes UTF-8's
  for (; at + 1 < bytes.size(); at += 2) {
    uint32_t code = unitAt(at);
    if (IsHighSurrogate(code) && at + 3 < bytes.size() && IsLowSurrogate(unitAt(at + 2))) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00);
      at += 2;
    } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
      code = kReplacement;
    }
    AppendUtf8(code, &text);
  }
  if (at < bytes.size()) AppendUtf8(kReplacement, &text);
  return true;
}

bool IsAdxText(const std::string& text) {
  size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  at = text.find_first_not_of(" \t\r\n\f\v", at);
  if (at == std::string::npos) return false;
  const std::string start = AdifUpper(text.substr(at, 5));
  return start == "<?XML" || start.compare(0, 4, "<ADX") == 0;
}

}  // namespace tools
