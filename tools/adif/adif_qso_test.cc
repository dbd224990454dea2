#include "tools/adif/adif_qso.h"

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
                                     {"BAND", " 40M "},
                                     {"FREQ", ""}});
  AdifQso qso;
  AdifError error;
  ASSERT_TRUE(AdifRecordToQso(record, AdifQsoFields(), &qso, &error)) << error.ToString();
  EXPECT_EQ(qso.exchSent, "12");
  EXPECT_EQ(qso.exchRcvd, "34");
  EXPECT_EQ(qso.multCode, "");
  EXPECT_EQ(qso.freqHz, 7000000u);
  EXPECT_EQ(qso.mode, "");
  EXPECT_EQ(qso.band, "40m");
  EXPECT_EQ(qso.time, 46375.0 + 86399 / 86400.0);
}

// What real exports write, and what the plug-in is given for it.
TEST(AdifQsoTest, MapsWhatLoggersExport) {
  struct Case {
    std::map<std::string, std::string> changes;  // over FullRecord; "-" removes
    const char* field;                           // of AdifQso, below
    std::string expected;
  };
  const auto value = [](const AdifQso& q, const std::string& field) {
    if (field == "call") return q.call;
    if (field == "mode") return q.mode;
    if (field == "band") return q.band;
    if (field == "freq") return std::to_string(q.freqHz);
    if (field == "sent") return q.exchSent;
    if (field == "rcvd") return q.exchRcvd + " " + q.multCode;
    return std::string("?");
  };
  const Case cases[] = {
      {{{"MODE", "cw"}}, "mode", "CW"},
      {{{"MODE", "CW "}}, "mode", "CW"},
      {{{"MODE", "USB"}}, "mode", "SSB"},
      {{{"MODE", "lsb"}}, "mode", "SSB"},
      {{{"MODE", "SSB"}, {"SUBMODE", "LSB"}}, "mode", "SSB"},
      {{{"MODE", " Ssb"}, {"SUBMODE", "-"}}, "mode", "SSB"},
      {{{"MODE", "rtty"}}, "mode", "RTTY"},  // the plug-in refuses it itself
      {{{"MODE", "PHONE"}}, "mode", "PHONE"},
      {{{"MODE", "-"}}, "mode", ""},
      {{{"BAND", "-"}, {"FREQ", "3.512"}}, "band", "80m"},
      {{{"BAND", ""}, {"FREQ", "28.5"}}, "band", "10m"},
      {{{"BAND", "-"}, {"FREQ", "1.8"}}, "band", "160m"},
      {{{"BAND", "-"}, {"FREQ", "29.7"}}, "band", "10m"},
      {{{"BAND", "40m"}, {"FREQ", "7.3"}}, "band", "40m"},
      {{{"FREQ", "-"}, {"BAND", "20M"}}, "freq", "14000000"},
      {{{"FREQ", "-"}, {"BAND", "160m"}}, "freq", "1800000"},
      {{{"FREQ", ""}, {"BAND", "15M"}}, "freq", "21000000"},
      {{{"FREQ", "-"}, {"BAND", "6m"}}, "freq", "50000000"},
      {{{"FREQ", "0"}, {"BAND", "40M"}}, "freq", "7000000"},  // 0: unknown
      {{{"STX_STRING", "KI"}, {"STX", "7"}}, "sent", "7KI"},
      {{{"STX_STRING", "KI"}, {"STX", "007"}}, "sent", "007KI"},
      {{{"STX_STRING", "KI"}, {"STX", "-"}}, "sent", "KI"},
      {{{"STX_STRING", "KI"}, {"STX", "x7"}}, "sent", "KI"},
      {{{"SRX_STRING", "CD"}, {"SRX", "15"}}, "rcvd", "15CD CD"},
      {{{"SRX_STRING", "CD"}, {"SRX", " 015 "}}, "rcvd", "015CD CD"},
      {{{"SRX_STRING", "015CD"}, {"SRX", "15"}}, "rcvd", "015CD CD"},
      {{{"SRX_STRING", "-"}, {"SRX", "015"}}, "rcvd", "015 "},
      {{{"SRX_STRING", "RT"}, {"SRX", "-"}}, "rcvd", "RT RT"},
      // Calls and exchanges as a contester means them: case and blanks
      // inside do not make another station or code.
      {{{"CALL", " ur5aa "}}, "call", "UR5AA"},
      {{{"STX_STRING", " 001 ki "}}, "sent", "001KI"},
      {{{"SRX_STRING", "015 cd"}}, "rcvd", "015CD CD"},
      {{{"SRX_STRING", "015\tCd"}}, "rcvd", "015CD CD"},
      {{{"SRX_STRING", "cd"}, {"SRX", "0 15"}}, "rcvd", "015CD CD"},
      {{{"SRX_STRING", " "}, {"SRX", "015"}}, "rcvd", "015 "},
      {{{"SRX_STRING", "022"}}, "rcvd", "022 "},
  };
  for (const Case& c : cases) {
    AdifRecord record = FullRecord();
    std::string label;
    for (const auto& change : c.changes) {
      label += change.first + "=" + change.second + " ";
      if (change.second == "-") {
        record.fields.erase(change.first);
      } else {
        record.fields[change.first] = change.second;
      }
    }
    AdifQso qso;
    AdifError error;
    ASSERT_TRUE(AdifRecordToQso(record, AdifQsoFields(), &qso, &error))
        << label << error.ToString();
    EXPECT_EQ(value(qso, c.field), c.expected) << label;
  }
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
  // Band and frequency: one must tell the other ("-" leaves a field out).
  const struct {
    const char* band;
    const char* freq;
    const char* field;
    const char* fragment;
  } pairs[] = {
      {"-", "-", "BAND", "neither BAND nor a frequency"},
      {"-", "0.0000001", "BAND", "neither BAND nor a frequency"},
      {"-", "14.5", "FREQ", "lies in no band"},
      {"2190m", "-", "BAND", "not in the band table"},
  };
  for (const auto& c : pairs) {
    AdifRecord record = FullRecord();
    record.fields.erase("BAND");
    record.fields.erase("FREQ");
    if (std::string(c.band) != "-") record.fields["BAND"] = c.band;
    if (std::string(c.freq) != "-") record.fields["FREQ"] = c.freq;
    AdifQso qso;
    AdifError error;
    EXPECT_FALSE(AdifRecordToQso(record, AdifQsoFields(), &qso, &error)) << c.band << c.freq;
    EXPECT_EQ(error.field, c.field) << c.band << c.freq;
    EXPECT_NE(error.message.find(c.fragment), std::string::npos) << error.message;
  }
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
