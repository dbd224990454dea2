#include "tools/adif/adif_reader.h"

#include <random>
#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace tools {
namespace {

const char kLog[] =
    "Contest log for UT9ZZQ <ADIF_VER:5>3.1.4 <programid:4>test\n"
    "<eoh>\n"
    "<CALL:5>UR5AB <qso_date:8:D>20261219 <Time_On:4>1425 <EOR>\n"
    "junk between records\n"
    "<CALL:6>UT7QQX <COMMENT:9>a<b>c:<d> <eor>\n";

TEST(AdifReaderTest, SkipsHeaderAndReadsRecordsCaseInsensitively) {
  std::vector<AdifRecord> records;
  AdifError error;
  ASSERT_TRUE(ReadAdif(kLog, &records, &error)) << error.ToString();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].number, 1u);
  EXPECT_EQ(records[0].fields.size(), 3u);
  EXPECT_EQ(records[0].Get("CALL"), "UR5AB");
  EXPECT_EQ(records[0].Get("QSO_DATE"), "20261219");
  EXPECT_EQ(records[0].Get("TIME_ON"), "1425");
  EXPECT_FALSE(records[0].Has("ADIF_VER"));
  EXPECT_FALSE(records[0].Has("PROGRAMID"));
  EXPECT_EQ(records[1].number, 2u);
  EXPECT_EQ(records[1].Get("COMMENT"), "a<b>c:<d>");
  EXPECT_EQ(records[1].Get("FREQ"), "");
  EXPECT_FALSE(records[1].Has("FREQ"));
}

TEST(AdifReaderTest, LengthCountsBytesAndKeepsEveryByte) {
  const std::string data("\xD0\xAE\0x", 4);
  const std::string text = "<NAME:4>" + data + "<CALL:0><EOR>";
  std::vector<AdifRecord> records;
  AdifError error;
  ASSERT_TRUE(ReadAdif(text, &records, &error)) << error.ToString();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Get("NAME"), data);
  EXPECT_TRUE(records[0].Has("CALL"));
  EXPECT_EQ(records[0].Get("CALL"), "");
}

TEST(AdifReaderTest, AcceptsLogsWithoutRecords) {
  for (const char* text : {"", " \r\n\t", "header only <EOH>\n", "<EOR><eor>"}) {
    std::vector<AdifRecord> records(1);
    AdifError error;
    EXPECT_TRUE(ReadAdif(text, &records, &error)) << text << ": " << error.ToString();
    EXPECT_TRUE(records.empty()) << text;
  }
}

TEST(AdifReaderTest, EmptyRecordsTakeNoNumber) {
  std::vector<AdifRecord> records;
  AdifError error;
  ASSERT_TRUE(ReadAdif("<EOR><CALL:1>A<EOR><EOR><CALL:1>B<EOR>", &records, &error));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].number, 2u);
  EXPECT_EQ(records[1].Get("CALL"), "B");
}

TEST(AdifReaderTest, ReportsRecordFieldAndReason) {
  struct Case {
    std::string text;
    size_t record;
    std::string field;
    std::string fragment;
  };
  const Case cases[] = {
      {"<CALL:x>AB<EOR>", 1, "CALL", "not a decimal number"},
      {"<CALL:4x>AB<EOR>", 1, "CALL", "not a decimal number"},
      {"<CALL: 2>AB<EOR>", 1, "CALL", "not a decimal number"},
      {"<CALL:->AB<EOR>", 1, "CALL", "not a decimal number"},
      {"<CALL:-1>AB<EOR>", 1, "CALL", "negative"},
      {"<CALL:>AB<EOR>", 1, "CALL", "missing"},
      {"<CALL:9>AB<EOR>", 1, "CALL", "past the end"},
      {"<CALL:184467440737095516160>AB<EOR>", 1, "CALL", "past the end"},
      {"<CALL:2>AB<EOR><EOR><call:2>CD<EOR><freq:3", 3, "FREQ", "not closed"},
      {"just some text", 0, "", "no tags"},
      {"<CALL:2>AB<call:2>CD<EOR>", 1, "CALL", "twice"},
      {"<CALL:2>AB<EOR><EOH>", 2, "", "after the first record"},
      {"<EOH><eoh>", 1, "", "second <EOH>"},
      {"log <PROGRAMID:x>abc <EOH><CALL:2>AB<EOR>", 0, "PROGRAMID", "not a decimal number"},
      {"<EOH><CALL:2>AB<EOR><FREQ:x>", 2, "FREQ", "not a decimal number"},
      {"<CALL:2>AB<Foo><EOR>", 1, "FOO", "no length"},
      {"<:2>AB<EOR>", 1, "", "field name is empty"},
      {"<CA LL:2>AB<EOR>", 1, "CA LL", "malformed field name"},
      {"<CALL:2>AB<>", 1, "", "empty tag"},
      {"<EOR:0><EOR>", 1, "EOR", "end tag carries a length"},
  };
  for (const Case& c : cases) {
    std::vector<AdifRecord> records;
    AdifError error;
    EXPECT_FALSE(ReadAdif(c.text, &records, &error)) << c.text;
    EXPECT_EQ(error.record, c.record) << c.text;
    EXPECT_EQ(error.field, c.field) << c.text;
    EXPECT_NE(error.message.find(c.fragment), std::string::npos)
        << c.text << " gave: " << error.message;
  }
}

TEST(AdifReaderTest, KeepsRecordsReadBeforeAnError) {
  std::vector<AdifRecord> records;
  AdifError error;
  EXPECT_FALSE(ReadAdif("<CALL:1>A<EOR><CALL:1>B<EOR><CALL:", &records, &error));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].Get("CALL"), "B");
  EXPECT_EQ(error.record, 3u);
}

// A log cut short after its last field loses nothing: the record is read
// and the warning names it.
TEST(AdifReaderTest, ReadsALastRecordWithoutEorAndSaysSo) {
  std::vector<AdifRecord> records;
  std::vector<AdifError> warnings;
  AdifError error;
  ASSERT_TRUE(ReadAdif("<EOH><CALL:2>AB<EOR><CALL:2>CD<QSO_DATE:8>20261219\r\n", &records, &error,
                       &warnings))
      << error.ToString();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].Get("QSO_DATE"), "20261219");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].ToString(),
            "record 2: the last record is not ended by <EOR>; read all the same, as the file may "
            "have been cut short");
  ASSERT_TRUE(ReadAdif("<CALL:2>AB<EOR>", &records, &error, &warnings));
  EXPECT_TRUE(warnings.empty());
}

TEST(AdifReaderTest, ErrorTextNamesRecordAndField) {
  EXPECT_EQ((AdifError{3, "FREQ", "bad"}).ToString(), "record 3, field FREQ: bad");
  EXPECT_EQ((AdifError{2, "", "bad"}).ToString(), "record 2: bad");
  EXPECT_EQ((AdifError{0, "X", "bad"}).ToString(), "before the first record, field X: bad");
}

// Every outcome on damaged input must be a clean result: records numbered
// 1..n on success, a reason on failure. Built with sanitizers this also
// catches reads past the end.
void ExpectCleanResult(const std::string& text) {
  std::vector<AdifRecord> records;
  AdifError error;
  if (ReadAdif(text, &records, &error)) {
    for (size_t i = 0; i < records.size(); ++i) {
      ASSERT_EQ(records[i].number, i + 1);
      ASSERT_FALSE(records[i].fields.empty());
    }
  } else {
    ASSERT_FALSE(error.message.empty());
    ASSERT_LE(error.record, records.size() + 1);
  }
}

TEST(AdifReaderTest, EveryPrefixOfALogGivesACleanResult) {
  const std::string text = kLog;
  for (size_t length = 0; length <= text.size(); ++length) {
    ExpectCleanResult(text.substr(0, length));
  }
}

TEST(AdifReaderTest, RandomDamageGivesACleanResult) {
  const std::string original = kLog;
  const char alphabet[] = "<>:0123456789-EORHeorh \n\x00\xff";
  std::mt19937 engine(7);
  for (int round = 0; round < 3000; ++round) {
    std::string text = original;
    const int edits = 1 + static_cast<int>(engine() % 6);
    for (int e = 0; e < edits && !text.empty(); ++e) {
      const size_t at = engine() % text.size();
      const char c = alphabet[engine() % (sizeof alphabet - 1)];
      switch (engine() % 3) {
        case 0:
          text[at] = c;
          break;
        case 1:
          text.insert(text.begin() + static_cast<long>(at), c);
          break;
        default:
          text.erase(at, 1 + engine() % 8);
          break;
      }
    }
    ExpectCleanResult(text);
  }
}

}  // namespace
}  // namespace tools
