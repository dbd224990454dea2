#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "stats/store/text_pool.h"

namespace stats {

// A text of up to fifteen bytes kept in place, or the number of a longer text
// in a TextPool. The bytes after a short text are zero and a long text is
// always in the pool, so two values are equal exactly when their texts are.
// For texts that seldom repeat, such as exchanges with serial numbers: a
// short one costs no pool entry and no look-up.
class ShortText {
 public:
  static constexpr std::size_t kInline = 15;

  ShortText() = default;

  // The value of `text`, adding a long text to `longTexts`.
  static ShortText Of(std::string_view text, TextPool& longTexts) {
    if (text.size() <= kInline) return Inline(text);
    return Long(longTexts.Intern(text));
  }

  // The value of `text`, or false when it is long and not in `longTexts`:
  // then no stored value equals it.
  static bool Find(std::string_view text, const TextPool& longTexts, ShortText* out) {
    if (text.size() <= kInline) {
      *out = Inline(text);
      return true;
    }
    const uint32_t number = longTexts.Find(text);
    if (number == TextPool::kNone) return false;
    *out = Long(number);
    return true;
  }

  // The text; a short one points into this value.
  std::string_view View(const TextPool& longTexts) const {
    const unsigned char tag = static_cast<unsigned char>(m_bytes[kInline]);
    if (tag != kLong) return std::string_view(m_bytes, tag);
    uint32_t number;
    std::memcpy(&number, m_bytes, sizeof number);
    return longTexts.Text(number);
  }

  // The value's bytes as two words: equal values have equal words.
  uint64_t Word(std::size_t i) const {
    uint64_t word;
    std::memcpy(&word, m_bytes + 8 * i, sizeof word);
    return word;
  }

  bool operator==(const ShortText& other) const {
    return Word(0) == other.Word(0) && Word(1) == other.Word(1);
  }
  bool operator!=(const ShortText& other) const { return !(*this == other); }

 private:
  static constexpr unsigned char kLong = 0xFF;

  static ShortText Inline(std::string_view text) {
    ShortText value;
    if (!text.empty()) std::memcpy(value.m_bytes, text.data(), text.size());
    value.m_bytes[kInline] = static_cast<char>(text.size());
    return value;
  }

  static ShortText Long(uint32_t number) {
    ShortText value;
    std::memcpy(value.m_bytes, &number, sizeof number);
    value.m_bytes[kInline] = static_cast<char>(kLong);
    return value;
  }

  char m_bytes[kInline + 1] = {};  // the text, then its length or kLong
};

}  // namespace stats
