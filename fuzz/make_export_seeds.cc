// Writes the seed corpus of fuzz_exports from an ADIF log: a few call
// sequences a host makes, with the log's QSOs as arguments.
//
//   make_export_seeds LOG.adi OUTPUT-FOLDER

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/export_ops.h"
#include "tools/adif/adif_qso.h"
#include "tools/adif/adif_reader.h"

namespace {

using fuzzing::OpWriter;

constexpr double kContestDay = 46375.0;  // 2026-12-19

void Time(OpWriter& w, double oleDate) {
  const double minutes = std::round((oleDate - kContestDay) * 1440.0);
  if (minutes >= 0 && minutes < 65536) {
    w.Time(static_cast<uint16_t>(minutes));
  } else {
    w.RawTime(oleDate, 0);
  }
}

void Reset(OpWriter& w, bool first, bool cabrillo, const std::string& ownCall) {
  if (!first) w.Op(fuzzing::kOpReset);
  w.Junk(0x00);
  w.Byte(cabrillo ? 1 : 0);
  if (cabrillo) w.Text(ownCall);
  w.Time(12 * 60);
  w.Text("KI");
  w.Text("G3");
}

void Add(OpWriter& w, const tools::AdifQso& q, uint8_t junk) {
  w.Op(fuzzing::kOpAdd);
  w.Junk(junk);
  w.Text("UT9ZZQ");
  w.Text(q.call);
  Time(w, q.time);
  w.U32(q.freqHz);
  for (const std::string* text : {&q.mode, &q.rstSent, &q.rstRcvd, &q.exchSent, &q.exchRcvd,
                                  &q.multCode, &q.group, &q.band}) {
    w.Text(*text);
  }
  w.U32(0xDEADBEEF);
}

void Remove(OpWriter& w, const tools::AdifQso& q) {
  w.Op(fuzzing::kOpRemove);
  w.Junk(0x55);
  for (const std::string* text : {&q.call, &q.mode, &q.exchSent, &q.exchRcvd, &q.band}) {
    w.Text(*text);
  }
  w.U32(1);
  w.U32(2);
}

void Check(OpWriter& w, const tools::AdifQso& q) {
  w.Op(fuzzing::kOpCheck);
  w.Junk(0xAA);
  for (const std::string* text : {&q.call, &q.mode, &q.multCode, &q.band}) w.Text(*text);
  w.U32(11);
  w.U32(12);
}

void Result(OpWriter& w) {
  w.Op(fuzzing::kOpResult);
  w.Byte(1);
}

void File(OpWriter& w, fuzzing::FileKind kind, const std::string& content) {
  w.Op(fuzzing::kOpFile);
  w.Byte(kind);
  w.Bytes(content);
}

bool Save(const std::string& folder, const char* name, const OpWriter& w) {
  std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
  out << w.Bytes();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s LOG.adi OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<tools::AdifRecord> records;
  tools::AdifError error;
  if (!tools::ReadAdif(text.str(), &records, &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.ToString().c_str());
    return 1;
  }
  std::vector<tools::AdifQso> qsos;
  const tools::AdifQsoFields fields{"", "APP_UT_GROUP"};
  for (const tools::AdifRecord& record : records) {
    tools::AdifQso q;
    if (tools::AdifRecordToQso(record, fields, &q, &error)) qsos.push_back(q);
  }
  if (qsos.size() < 40) {
    std::fprintf(stderr, "%s: fewer than 40 QSOs\n", argv[1]);
    return 1;
  }
  const std::string out = argv[2];
  bool ok = true;

  OpWriter log;  // a log offered whole, then its results
  Reset(log, true, false, "");
  for (size_t i = 0; i < 30; ++i) Add(log, qsos[i], static_cast<uint8_t>(i * 37));
  Result(log);
  ok &= Save(out, "sample_log", log);

  OpWriter cabrillo;  // the Cabrillo flag, a settings file, two requests
  Reset(cabrillo, true, false, "");
  File(cabrillo, fuzzing::kFileSettings,
       "[Settings]\r\nName=Ivan\r\nAddress=Street 1<CR><LF>Kyiv\r\nClaimed=12\r\n");
  Reset(cabrillo, false, true, "UT9ZZQ/P");
  for (size_t i = 30; i < 45; ++i) Add(cabrillo, qsos[i], 0x15);
  Result(cabrillo);
  Add(cabrillo, qsos[45], 0x15);
  Result(cabrillo);
  ok &= Save(out, "cabrillo", cabrillo);

  OpWriter edit;  // logging with call checks, deletions and requests between
  Reset(edit, true, false, "");
  File(edit, fuzzing::kFilePlugins, "");
  for (size_t i = 100; i < 120; ++i) {
    Check(edit, qsos[i]);
    Add(edit, qsos[i], 0xF0);
    if (i % 5 == 0) Remove(edit, qsos[i - 3]);
    if (i % 7 == 0) Result(edit);
  }
  edit.Op(fuzzing::kOpValidExchange);
  edit.Junk(0);
  edit.Text(qsos[100].exchRcvd);
  edit.U32(0);
  edit.Op(fuzzing::kOpEnumerate);
  edit.U32(0);
  edit.Op(fuzzing::kOpSetup);
  Result(edit);
  ok &= Save(out, "edit", edit);

  OpWriter refused;  // refused QSOs, odd date-times, err.txt a folder
  Reset(refused, true, false, "");
  File(refused, fuzzing::kFileErrFolder, "");
  for (size_t i = 200; i < 210; ++i) {
    tools::AdifQso q = qsos[i];
    if (i % 3 == 0) q.mode = "cw";
    if (i % 3 == 1) q.exchRcvd.clear();
    Add(refused, q, 0x3C);
  }
  Add(refused, qsos[210], 0x3C);
  refused.Op(fuzzing::kOpAdd);
  refused.Junk(0);
  refused.Text("UT9ZZQ");
  refused.Text("UR5AA");
  refused.RawTime(std::nan(""), 0);
  refused.U32(14025000);
  for (const char* t : {"CW", "599", "579", "001AB", "015CD", "CD", "G1", "20m"}) {
    refused.Text(t);
  }
  Result(refused);
  ok &= Save(out, "refused", refused);

  OpWriter twice;  // the same QSO before and after a results request
  Reset(twice, true, false, "");
  for (int round = 0; round < 3; ++round) {
    Add(twice, qsos[250], 0);
    Add(twice, qsos[250], 0);
    Result(twice);
  }
  ok &= Save(out, "twice", twice);

  if (!ok) {
    std::fprintf(stderr, "cannot write the seeds into %s\n", out.c_str());
    return 1;
  }
  return 0;
}
