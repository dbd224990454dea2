#include "tools/adif_qso.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"

namespace tools {
namespace {

AdifRecord MakeRecord(size_t number, std::map<std::string, std::string> fields) {
  AdifRecord record;
  record.number = number;
  record.fields = std::move(fields);
  return record;
}

AdifRecord FullRecord() {
  return MakeRecord(4, {{"CALL", "UR5AB"},
                        {"QSO_DATE", "20261219"},
                        {"TIME_ON", "1425"},
                        {"FREQ", "14.025"},
                        {"BAND", "20M"},
                        {"MODE", "CW"},
                        {"SUBMODE", "PCW"},
                        {"RST_SENT", "599"},
                        {"RST_RCVD", "579"},
                        {"STX_STRING", "001KI"},
                        {"STX", "9"},
                        {"SRX_STRING", "015CD"},
                        {"SRX", "8"},
                        {"APP_UT_MULT", "ZZ"},
                        {"APP_UT_GROUP", "G2"}});
}

TEST(AdifQsoTest, MapsEveryField) {
  AdifQso qso;
  AdifError error;
  ASSERT_TRUE(AdifRecordToQso(FullRecord(), AdifQsoFields(), &qso, &error)) << error.ToString();
  EXPECT_EQ(qso.call, "UR5AB");
  EXPECT_EQ(qso.time, 46375.0 + (14 * 60 + 25) / 1440.0);
  EXPECT_EQ(qso.freqHz, 14025000u);
  EXPECT_EQ(qso.mode, "CW");
  EXPECT_EQ(qso.rstSent, "599");
  EXPECT_EQ(qso.rstRcvd, "579");
  EXPECT_EQ(qso.exchSent, "001KI");
  EXPECT_EQ(qso.exchRcvd, "015CD");
  EXPECT_EQ(qso.band, "20m");
  EXPECT_EQ(qso.multCode, "CD");
  EXPECT_EQ(qso.group, "");
}

TEST(AdifQsoTest, TakesCodesFromNamedFieldsInAnyCase) {
  AdifQso qso;
  AdifError error;
  ASSERT_TRUE(
      AdifRecordToQso(FullRecord(), AdifQsoFields{"app_ut_mult", "App_Ut_Group"}, &qso, &error));
  EXPECT_EQ(qso.multCode, "ZZ");
  EXPECT_EQ(qso.group, "G2");

  ASSERT_TRUE(AdifRecordToQso(FullRecord(), AdifQsoFields{"NO_SUCH", "NO_SUCH"}, &qso, &error));
  EXPECT_EQ(qso.multCode, "");
  EXPECT_EQ(qso.group, "");
}

TEST(AdifQsoTest, FallsBackToNumericExchangesAndOptionalFields) {
  AdifRecord record = MakeRecord(1, {{"CALL", "UT7QQX"},
                                     {"QSO_DATE", "20261219"},
                                     {"TIME_ON", "235959"},
                                     {"STX_STRING", ""},
                                     {"STX", "12"},
                                     {"SRX", "34"},
                                     {"FREQ", ""}});
  AdifQso qso;
  AdifError error;
  ASSERT_TRUE(AdifRecordToQso(record, AdifQsoFields(), &qso, &error)) << error.ToString();
  EXPECT_EQ(qso.exchSent, "12");
  EXPECT_EQ(qso.exchRcvd, "34");
  EXPECT_EQ(qso.multCode, "");
  EXPECT_EQ(qso.freqHz, 0u);
  EXPECT_EQ(qso.mode, "");
  EXPECT_EQ(qso.band, "");
  EXPECT_EQ(qso.time, 46375.0 + 86399 / 86400.0);
}

TEST(AdifQsoTest, ReportsRecordFieldAndReason) {
  struct Case {
    std::string field;     // changed field
    std::string value;     // new value; "-" removes the field
    std::string expected;  // field named in the error
    std::string fragment;
  };
  const Case cases[] = {
      {"CALL", "-", "CALL", "missing"},
      {"CALL", "", "CALL", "missing"},
      {"QSO_DATE", "-", "QSO_DATE", "missing"},
      {"QSO_DATE", "20260230", "QSO_DATE", "no such day"},
      {"QSO_DATE", "18991231", "QSO_DATE", "year"},
      {"QSO_DATE", "2026-12-19", "QSO_DATE", "not YYYYMMDD"},
      {"TIME_ON", "-", "TIME_ON", "missing"},
      {"TIME_ON", "2460", "TIME_ON", "out of range"},
      {"TIME_ON", "14:25", "TIME_ON", "not HHMM"},
      {"FREQ", "-7.0", "FREQ", "not a decimal"},
      {"FREQ", "abc", "FREQ", "not a decimal"},
      {"FREQ", "5000", "FREQ", "above"},
  };
  for (const Case& c : cases) {
    AdifRecord record = FullRecord();
    if (c.value == "-") {
      record.fields.erase(c.field);
    } else {
      record.fields[c.field] = c.value;
    }
    AdifQso qso;
    qso.call = "untouched";
    AdifError error;
    EXPECT_FALSE(AdifRecordToQso(record, AdifQsoFields(), &qso, &error)) << c.field << c.value;
    EXPECT_EQ(error.record, 4u);
    EXPECT_EQ(error.field, c.expected) << c.field << " " << c.value;
    EXPECT_NE(error.message.find(c.fragment), std::string::npos)
        << c.field << " " << c.value << " gave: " << error.message;
    EXPECT_EQ(qso.call, "untouched");
  }
}

TEST(AdifQsoTest, MapsRecordsReadFromText) {
  const char text[] =
      "<EOH><CALL:5>UR5AB<QSO_DATE:8>20261219<TIME_ON:4>1200<FREQ:5>3.512"
      "<BAND:3>80M<MODE:3>SSB<SRX_STRING:2>RT<EOR>\n"
      "<CALL:4>UT1A<QSO_DATE:8>20261219<TIME_ON:4>1201<FREQ:5>3.5x2<EOR>\n";
  std::vector<AdifRecord> records;
  AdifError error;
  ASSERT_TRUE(ReadAdif(text, &records, &error));
  ASSERT_EQ(records.size(), 2u);
  AdifQso qso;
  ASSERT_TRUE(AdifRecordToQso(records[0], AdifQsoFields(), &qso, &error));
  EXPECT_EQ(qso.band, "80m");
  EXPECT_EQ(qso.freqHz, 3512000u);
  EXPECT_EQ(qso.multCode, "RT");
  EXPECT_FALSE(AdifRecordToQso(records[1], AdifQsoFields(), &qso, &error));
  EXPECT_EQ(error.ToString().substr(0, 20), "record 2, field FREQ");
}

}  // namespace
}  // namespace tools
