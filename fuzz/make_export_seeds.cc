// Writes the seed corpus of fuzz_exports from an ADIF log: a few call
// sequences a host makes, with the log's QSOs as arguments, and the
// sequences that once broke the plug-in, kept as regression inputs. The
// values of each call are laid out by its list in stats/host_fields.def,
// as the fuzz target reads them; the test fuzz.export_seeds holds the
// committed files to what this writes.
//
//   make_export_seeds LOG.adi SEED-FOLDER REGRESSION-FOLDER

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/export_ops.h"
#include "tools/adif/adif_qso.h"
#include "tools/adif/adif_reader.h"
#include "tools/host/plugin_host.h"

namespace {

using fuzzing::OpWriter;
using tools::DateTimeArg;

constexpr double kContestDay = 46375.0;  // 2026-12-19
constexpr double kStartHour = 12.0;
const std::string kOwnCall = "UT9ZZQ";

// Writes each value of a call by its kind.
struct ValueWriter {
  OpWriter& w;

  void operator()(const char* text) const { w.Text(text); }
  void operator()(uint32_t hz) const { w.U32(hz); }
  void operator()(int32_t flag) const { w.Byte(static_cast<uint8_t>(flag)); }
  // A valid time of the contest day by its minutes, any other raw.
  void operator()(const DateTimeArg& time) const {
    const StatsDateTime* t = time.Pointer();
    if (t == nullptr) return w.Null();
    const double minutes = std::round((t->value - kContestDay) * 1440.0);
    if (t->status == kStatsDateValid && minutes >= 0 && minutes < 65536) {
      w.Time(static_cast<uint16_t>(minutes));
    } else {
      w.RawTime(t->value, t->status);
    }
  }
};

void Reset(OpWriter& w, bool first, bool cabrillo, const std::string& ownCall) {
  if (!first) w.Op(fuzzing::kOpReset);
  w.Junk(0x00);
  tools::ResetCallArgs fields;
  fields.cabrilloFlag = cabrillo ? 1 : 0;
  fields.ownCall = ownCall.c_str();
  fields.start = StatsDateTime{kContestDay + kStartHour / 24, kStatsDateValid};
  fields.ownMultCode = "KI";
  fields.ownGroupCode = "G3";
  fuzzing::ForEachArgument(fields, ValueWriter{w});
}

void Add(OpWriter& w, tools::QsoCallArgs fields, uint8_t junk) {
  w.Op(fuzzing::kOpAdd);
  w.Junk(junk);
  fuzzing::ForEachArgument(stats::HostCall::kAddData, fields, ValueWriter{w});
  w.U32(0xDEADBEEF);
}
void Add(OpWriter& w, const tools::AdifQso& q, uint8_t junk) {
  Add(w, tools::CallArgsOf(kOwnCall, q), junk);
}

void Remove(OpWriter& w, const tools::AdifQso& q) {
  w.Op(fuzzing::kOpRemove);
  w.Junk(0x55);
  tools::QsoCallArgs fields = tools::CallArgsOf(kOwnCall, q);
  fuzzing::ForEachArgument(stats::HostCall::kRemoveData, fields, ValueWriter{w});
  w.U32(1);
  w.U32(2);
}

void Check(OpWriter& w, const tools::AdifQso& q) {
  w.Op(fuzzing::kOpCheck);
  w.Junk(0xAA);
  const tools::QsoCallArgs typed = tools::CallArgsOf(kOwnCall, q);
  tools::CheckCallArgs fields;
#define STATS_PROBE_FIELD(name, ...) fields.name = typed.name;
#include "stats/host_fields.def"
  fuzzing::ForEachArgument(fields, ValueWriter{w});
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
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s LOG.adi SEED-FOLDER REGRESSION-FOLDER\n", argv[0]);
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
  if (qsos.size() < 251) {
    std::fprintf(stderr, "%s: fewer than 251 QSOs\n", argv[1]);
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
  tools::AdifQso odd = qsos[210];
  odd.call = "UR5AA";
  odd.freqHz = 14025000;
  tools::QsoCallArgs oddTime = tools::CallArgsOf(kOwnCall, odd);
  oddTime.time = StatsDateTime{std::nan(""), kStatsDateValid};
  Add(refused, oddTime, 0);
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

  // Removing the only QSO once left a store that the Cabrillo pass read
  // past the end of.
  OpWriter removeOnly;
  Reset(removeOnly, true, true, "UT1AA");
  Add(removeOnly, qsos[0], 0);
  Remove(removeOnly, qsos[0]);
  Remove(removeOnly, qsos[0]);
  Result(removeOnly);
  Add(removeOnly, qsos[0], 0);
  Result(removeOnly);
  const std::string regressions = argv[3];
  ok &= Save(regressions, "remove_only_qso_then_cabrillo", removeOnly);

  if (!ok) {
    std::fprintf(stderr, "cannot write the seeds into %s and %s\n", out.c_str(),
                 regressions.c_str());
    return 1;
  }
  return 0;
}
