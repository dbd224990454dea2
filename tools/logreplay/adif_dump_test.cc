#include "tools/logreplay/adif_dump.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace tools {
namespace {

TEST(AdifDumpTest, WritesOneObjectPerRecordWithNamesInByteOrder) {
  std::vector<AdifRecord> records(2);
  records[0].fields = {{"CALL", "UR5AA"}, {"BAND", "20M"}, {"APP_X", ""}};
  records[1].fields = {{"CALL", "UT2BB"}};
  EXPECT_EQ(DumpRecordsAsJsonLines(records),
            "{\"APP_X\":\"\",\"BAND\":\"20M\",\"CALL\":\"UR5AA\"}\n"
            "{\"CALL\":\"UT2BB\"}\n");
  EXPECT_EQ(DumpRecordsAsJsonLines({}), "");
}

TEST(AdifDumpTest, EscapesAsJsonStringifyAndLatin1) {
  const struct {
    std::string data;
    const char* json;
  } cases[] = {
      {"say \"73\"", "say \\\"73\\\""},
      {"a\\b", "a\\\\b"},
      {"\b\f\n\r\t", "\\b\\f\\n\\r\\t"},
      {std::string("\x01\x1f", 2), "\\u0001\\u001f"},
      {std::string(1, '\0'), "\\u0000"},
      {"<b>/</b> ~", "<b>/</b> ~"},
      {"\x7f", "\\u007f"},
      {"Jos\xe9", "Jos\\u00e9"},
      {"\xc3\xaf\xff", "\\u00c3\\u00af\\u00ff"},
  };
  for (const auto& c : cases) {
    std::vector<AdifRecord> records(1);
    records[0].fields = {{"X", c.data}};
    EXPECT_EQ(DumpRecordsAsJsonLines(records), std::string("{\"X\":\"") + c.json + "\"}\n")
        << c.json;
  }
}

}  // namespace
}  // namespace tools
