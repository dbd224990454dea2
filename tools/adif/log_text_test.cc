#include "tools/adif/log_text.h"

#include <string>

#include "gtest/gtest.h"

namespace tools {
namespace {

TEST(LogTextTest, ConvertsUtf16WithAByteOrderMarkOnly) {
  const struct {
    std::string bytes;
    const char* utf8;  // null: not UTF-16, left alone
  } cases[] = {
      {std::string("\xFF\xFE"
                   "A\0\x16\x04",
                   6),
       "\xEF\xBB\xBF"
       "A\xD0\x96"},
      {std::string("\xFE\xFF\0A\x04\x16", 6),
       "\xEF\xBB\xBF"
       "A\xD0\x96"},
      // A surrogate pair, a lone surrogate, an odd last byte.
      {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xEF\xBB\xBF\xF0\x9F\x98\x80"},
      {std::string("\xFF\xFE\x3D\xD8"
                   "A\0",
                   6),
       "\xEF\xBB\xBF\xEF\xBF\xBD"
       "A"},
      {std::string("\xFE\xFF\0A\0", 5),
       "\xEF\xBB\xBF"
       "A\xEF\xBF\xBD"},
      {"\xEF\xBB\xBF"
       "CD G1",
       nullptr},
      {"\xFF", nullptr},
  };
  for (const auto& c : cases) {
    std::string utf8 = "unchanged";
    EXPECT_EQ(Utf16ToUtf8(c.bytes, &utf8), c.utf8 != nullptr) << c.bytes;
    EXPECT_EQ(utf8, c.utf8 == nullptr ? "unchanged" : c.utf8) << c.bytes;
  }
}

TEST(LogTextTest, KnowsAdxByItsFirstTag) {
  for (const char* adx : {"<?xml version=\"1.0\"?><ADX>", "\xEF\xBB\xBF \r\n<adx>"}) {
    EXPECT_TRUE(IsAdxText(adx)) << adx;
  }
  for (const char* other : {"", "<ADIF_VER:5>3.1.4 <EOH>", "log <?xml", "START-OF-LOG: 3.0"}) {
    EXPECT_FALSE(IsAdxText(other)) << other;
  }
}

}  // namespace
}  // namespace tools
