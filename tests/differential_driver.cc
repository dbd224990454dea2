// Drives the built plug-in with random sequences of host calls and writes a
// transcript of everything it answered: every call with its arguments and
// result, the results text and score, CheckCall0's two output texts, the
// notices shown, and after each sequence the bytes of every file left in
// its working folder. The native library and the DLL under Wine, given the
// same seed, count and hour, must write the same transcript byte for byte
// (tests/differential_test.sh compares them).
//
//   differential_driver LIBRARY TRANSCRIPT SEED COUNT HOUR [SEED:NUMBER...]
//
// runs sequences 0 to COUNT-1 of SEED, then each sequence named after them
// (those that once differed, kept as regression cases).
// HOUR is the UTC hour of the clock during the run. The call check reads
// the clock, and within its half-hour window it looks at minutes, which two
// runs never share; so no QSO of a probed call is stored at HOUR or the
// hour before, and the driver exits with kClockMoved when the clock leaves
// HOUR, for the caller to run both sides again. The header dialog runs
// unattended: cancelled where it shows as a window, not shown where it
// would be a terminal form (standard input must not be a terminal).
// VERSION_FIXTURE_DIR names the folder of the executables with known file
// versions, put in place as the host's executable.

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/plugin/clock.h"
#include "platform/plugin/settings_file.h"
#include "plugin/stats_exports.h"
#include "stats/contest_facts.h"
#include "tests/dialog_watcher.h"
#include "tests/host_file_name.h"
#include "tests/message_box_watcher.h"
#include "tests/test_support.h"
#include "tools/host/export_args.h"
#include "tools/host/junk_filler.h"
#include "tools/host/plugin_exports.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;
using tools::ArgKind;
using tools::CheckCallArgs;
using tools::DateTimeArg;
using tools::QsoCallArgs;
using tools::ResetCallArgs;

constexpr int kUsage = 2;
constexpr int kClockMoved = 3;
constexpr int kCancel = 2;  // the Cancel button's id
constexpr int kBoxTimeoutMs = 5000;

// A small generator whose output is the same on every system and compiler.
class Random {
 public:
  explicit Random(uint64_t seed) : m_state(seed) {}
  uint64_t Next() {
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
  bool OneIn(uint32_t n) { return Below(n) == 0; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  uint64_t m_state;
};

// Calls the call check may probe, and calls stored only with odd date-times
// (whose hour and minute may fall anywhere), which no probe names.
const char* const kCalls[] = {"UT1AA", "UR5AA", "UT1AA/P", "EM2A", "ut1aa", "US0ZZ", "UX1AB"};
const char* const kOddCalls[] = {"UT7OD", "UR0ODD"};
const char* const kOwnCalls[] = {"UT2XX", "UR3YY/P", "CON",   "a\\b",  "../x",
                                 " ",     "",        "lpt1.", "UT2XX", "AB:C?"};
const char* const kModes[] = {"CW", "SSB", "CW", "SSB", "CW", "SSB", "cw", "RTTY", ""};
const char* const kBands[] = {"20m", "40m", "80m", "15m", "10m", "160m", "20M", ""};
const char* const kRst[] = {"599", "59", "", "5NN"};
const char* const kExchanges[] = {"001AB", "015CD",  "123ef", "AB",    "CD",
                                  "",      "9999ZZ", "01AB",  "007XY", "CD"};
const char* const kMultCodes[] = {"AB", "CD", "EF", "", "ab"};
const char* const kGroups[] = {"G1", "G2", "", "G3"};
const uint32_t kFreqs[] = {14012345, 7000000, 3550000, 21999999, 28000000, 0, 4294967295u, 999};
const int32_t kFlags[] = {1, 1, -1, INT32_MIN};
// Day numbers around the edges of the date-time conversion, and the contest
// day's midnight.
const double kSpecialDays[] = {0.0,       -1.25,         0.99999999999, 46375.999999999, -657434.0,
                               -657435.0, 2958465.99999, 2958466.0,     1e308,           5e-324,
                               46375.5,   -0.5,          46376.0000001};
constexpr double kContestDay = 46375.0;  // 2026-12-19
const int32_t kStatuses[] = {kStatsDateInvalid, kStatsDateNull, -1, 7};
const char* const kFixtures[] = {"v2_20_0_5.exe", "v3_1_4_0.exe", "v3_0_7_9.exe", "noversion.exe"};

// `bytes` with every byte outside printable ASCII, and the backslash, as
// \xHH; a line break follows each LF so that files read as lines.
std::string Escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char ch : bytes) {
    if (ch >= 0x20 && ch < 0x7F && ch != '\\') {
      out += static_cast<char>(ch);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", ch);
      out += hex;
      if (ch == '\n') out += "\n    ";
    }
  }
  return out;
}

std::string Shown(Text text) { return text == nullptr ? "null" : '"' + Escaped(text) + '"'; }

std::string Shown(const DateTimeArg& time) {
  const StatsDateTime* value = time.Pointer();
  if (value == nullptr) return "null";
  uint64_t bits;
  std::memcpy(&bits, &value->value, sizeof bits);
  char text[48];
  std::snprintf(text, sizeof text, "%016" PRIx64 "/%" PRId32, bits, value->status);
  return text;
}

std::string Shown(uint32_t value) { return std::to_string(value); }

std::string WithoutBlanks(const std::string& text) {
  return std::string(platform::TrimBlanks(text));
}

// A settings file as Wine writes every file back once a key has changed:
// blank lines dropped, blanks around names and values dropped, every line
// ended by CR LF. Windows changes the key's line only; the two agree on
// files written that way to begin with, and a hand-written one is compared
// in this form.
std::string AsRewritten(const std::string& bytes) {
  std::string out, line;
  for (size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') {
      line += bytes[i];
      continue;
    }
    if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
    line = WithoutBlanks(line);
    const size_t equals = line.find('=');
    if (!line.empty() && line[0] == '[') {
      const size_t close = line.find(']');
      line =
          '[' + WithoutBlanks(line.substr(1, close == std::string::npos ? close : close - 1)) + ']';
    } else if (line[0] != ';' && equals != std::string::npos) {
      line = WithoutBlanks(line.substr(0, equals)) + '=' + WithoutBlanks(line.substr(equals + 1));
    }
    if (!line.empty()) out += line + "\r\n";
    line.clear();
  }
  return out;
}

class Driver {
 public:
  Driver(const tools::PluginExports& plugin, std::ofstream& out, int hour, const fs::path& fixtures)
      : m_plugin(plugin), m_out(out), m_hour(hour), m_fixtures(fixtures) {}

  // Runs sequence `number` of `seed` in a fresh working folder. False when
  // the clock left the hour.
  bool RunSequence(uint64_t seed, uint32_t number) {
    Random random(seed * 0x100000001B3ull + number);
    m_random = &random;
    m_offered.clear();
    m_stored.clear();
    m_texts.clear();
    m_out << "sequence " << seed << ':' << number << '\n';
    ScopedWorkDir folder;
    SetUpFolder();
    Reset();
    const uint32_t calls = 4 + random.Below(36);
    for (uint32_t i = 0; i < calls && m_clockKept; ++i) {
      const uint32_t op = random.Below(100);
      if (op < 4) {
        Reset();
      } else if (op < 45) {
        Add(NewQso());
      } else if (op < 55) {
        if (!m_offered.empty()) Add(m_offered[random.Below(m_offered.size())]);
      } else if (op < 63) {
        Remove(!m_offered.empty() && !random.OneIn(4) ? m_offered[random.Below(m_offered.size())]
                                                      : NewQso());
      } else if (op < 78) {
        Check();
      } else if (op < 90) {
        Result();
      } else if (op < 94) {
        SmallCalls();
      } else if (op < 95) {
        Setup();
      } else {
        Result();
        Add(NewQso());
      }
    }
    if (m_clockKept) Result();
    ListFiles(folder.Path());
    return m_clockKept;
  }

 private:
  Random& R() { return *m_random; }

  Text Keep(std::string text) {
    m_texts.push_back(std::move(text));
    return m_texts.back().c_str();
  }

  // A text from `words`, now and then null, odd bytes or a long text.
  template <size_t N>
  Text TextFrom(const char* const (&words)[N]) {
    switch (R().Below(40)) {
      case 0:
        return nullptr;
      case 1: {
        const size_t length = 1 + R().Below(300);
        return Keep(std::string(length, static_cast<char>('A' + R().Below(26))));
      }
      case 2:
        return Keep("\xC3\xA9\xE9\x80 \t\xFF");
      default:
        return R().Pick(words);
    }
  }

  // A valid date-time of the contest day whose hour is neither the clock's
  // nor the one before.
  DateTimeArg PlainTime() {
    // Mostly hours of the tours around the clock's, where the call check
    // finds repeats.
    static const int kNearHours[] = {1, 1, 2, -2, -3};
    const int hour = R().OneIn(3) ? (m_hour + 1 + static_cast<int>(R().Below(22))) % 24
                                  : (m_hour + 24 + R().Pick(kNearHours)) % 24;
    const int minute = static_cast<int>(R().Below(60));
    const double day = kContestDay + (R().OneIn(6) ? static_cast<double>(R().Below(5)) - 2 : 0);
    return StatsDateTime{day + (hour * 60 + minute) / 1440.0, kStatsDateValid};
  }

  // A date-time the plug-in may meet from a careless host.
  DateTimeArg OddTime() {
    switch (R().Below(6)) {
      case 0:
        return nullptr;
      case 1:
        return StatsDateTime{R().Pick(kSpecialDays), kStatsDateValid};
      case 2:
        return StatsDateTime{kContestDay + R().Below(1440) / 1440.0, R().Pick(kStatuses)};
      case 3:
        return StatsDateTime{-R().Pick(kSpecialDays), R().OneIn(2) ? kStatsDateValid : 2};
      case 4: {
        uint64_t bits = R().Next();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return StatsDateTime{value, kStatsDateValid};
      }
      default:
        return StatsDateTime{R().OneIn(2) ? 1.0 / 0.0 : 0.0 / 0.0, kStatsDateValid};
    }
  }

  QsoCallArgs NewQso() {
    static_assert(stats::kQsoFieldCount == 12, "a new value of a QSO needs its values here");
    QsoCallArgs q;
    const bool odd = R().OneIn(5);
    q.ownCall = TextFrom(kOwnCalls);
    q.call = odd ? R().Pick(kOddCalls) : TextFrom(kCalls);
    q.time = odd ? OddTime() : PlainTime();
    q.freqHz = R().Pick(kFreqs);
    q.mode = TextFrom(kModes);
    q.rstSent = TextFrom(kRst);
    q.rstRcvd = TextFrom(kRst);
    q.exchSent = TextFrom(kExchanges);
    q.exchRcvd = TextFrom(kExchanges);
    q.multCode = TextFrom(kMultCodes);
    q.group = TextFrom(kGroups);
    q.band = TextFrom(kBands);
    return q;
  }

  // The output texts of CheckCall0 get buffers that show what was written
  // there.
  tools::JunkFiller NewJunk() {
    const uint8_t junk = static_cast<uint8_t>(R().Below(256));
    const uint32_t integer = 0xDEADBEEF ^ junk;
    return tools::JunkFiller(junk, {integer, integer}, m_outputs);
  }

  void Reset() {
    ResetCallArgs a;
    a.cabrilloFlag = R().OneIn(6) ? R().Pick(kFlags) : 0;
    a.ownCall = TextFrom(kOwnCalls);
    // Start hours mostly such that the clock's hour begins a tour, whose
    // second hour then holds QSOs the call check counts as repeats.
    const uint32_t startHour =
        R().OneIn(3) ? (m_hour + 18 + R().Below(8)) % 24
                     : (m_hour + 24 - stats::kTourHours * R().Below(stats::kTourCount)) % 24;
    a.start = R().OneIn(6)
                  ? OddTime()
                  : DateTimeArg(StatsDateTime{kContestDay + startHour / 24.0, kStatsDateValid});
    a.ownMultCode = TextFrom(kMultCodes);
    a.ownGroupCode = TextFrom(kGroups);
    tools::JunkFiller junk = NewJunk();
    m_out << "  ResetStats0(flag=" << a.cabrilloFlag << " own=" << Shown(a.ownCall)
          << " start=" << Shown(a.start) << " mult=" << Shown(a.ownMultCode)
          << " group=" << Shown(a.ownGroupCode) << ")";
    int32_t result;
    if (a.cabrilloFlag != 0) {
      DialogWatcher dialog(stats::kContestName, kCancel);
      result = tools::CallReset(m_plugin.ResetStats0, a, junk, true);
      // Shown and cancelled where dialogs are windows; nowhere else.
      if (dialog.Finish() != DialogWatcher::kShowsWindows) m_out << " header dialog amiss";
    } else {
      result = tools::CallReset(m_plugin.ResetStats0, a, junk, true);
    }
    m_out << " = " << result << '\n';
    m_cabrillo = a.cabrilloFlag != 0;
    m_stored.clear();
  }

  void WriteQso(const char* name, const QsoCallArgs& q) {
    m_out << "  " << name << '(';
#define STATS_QSO_FIELD(field, ...) m_out << ' ' << #field << '=' << Shown(q.field);
#include "stats/host_fields.def"
    m_out << ')';
  }

  // By value: `q` may be one of m_offered, which the call below grows.
  void Add(QsoCallArgs q) {
    tools::JunkFiller junk = NewJunk();
    WriteQso("AddData0", q);
    const int32_t result = tools::CallWithQso(m_plugin.AddData0, q, junk, false);
    m_out << " = " << result << '\n';
    m_offered.push_back(q);
    if (result == 1) m_stored.push_back(q);
  }

  void Remove(const QsoCallArgs& q) {
    tools::JunkFiller junk = NewJunk();
    WriteQso("RemoveData0", q);
    m_out << " = " << tools::CallWithQso(m_plugin.RemoveData0, q, junk, true) << '\n';
  }

  void Check() {
    CheckCallArgs p;
    p.call = TextFrom(kCalls);
    p.mode = TextFrom(kModes);
    p.multCode = TextFrom(kMultCodes);
    p.group = TextFrom(kGroups);
    p.band = TextFrom(kBands);
    // Often the call or the multiplier of a QSO stored since the reset, on
    // its band.
    if (!m_stored.empty() && !R().OneIn(4)) {
      const QsoCallArgs& q = m_stored[R().Below(m_stored.size())];
      if (q.call != kOddCalls[0] && q.call != kOddCalls[1]) p.call = q.call;
      if (R().OneIn(2)) p.mode = q.mode;
      if (R().OneIn(2)) p.multCode = q.multCode;
      p.band = q.band;
    }
    for (auto& output : m_outputs) std::memset(output, '#', sizeof output);
    m_outputs[0][sizeof m_outputs[0] - 1] = m_outputs[1][sizeof m_outputs[1] - 1] = '\0';
    tools::JunkFiller junk = NewJunk();
    KeepClock();
    const int32_t result = tools::CallCheck(m_plugin.CheckCall0, p, junk, true);
    KeepClock();
    m_out << "  CheckCall0(call=" << Shown(p.call) << " mode=" << Shown(p.mode)
          << " mult=" << Shown(p.multCode) << " band=" << Shown(p.band) << ") = " << result
          << " out=" << Shown(m_outputs[0]) << ',' << Shown(m_outputs[1]) << '\n';
  }

  void KeepClock() {
    if (platform::SystemClock().NowUtc().hour != m_hour) m_clockKept = false;
  }

  void Result() {
    const bool withScore = !R().OneIn(4);
    int32_t score = 0x5A5A5A5A;
    const char* text;
    std::string notice;
    if (m_cabrillo) {
      MessageBoxWatcher box(kBoxTimeoutMs);
      text = m_plugin.GetResult0(withScore ? &score : nullptr);
      notice = box.Finish();
    } else {
      text = m_plugin.GetResult0(withScore ? &score : nullptr);
    }
    m_out << "  GetResult0(" << (withScore ? "score" : "null") << ") = " << Shown(text);
    if (withScore) m_out << " score=" << score;
    if (m_cabrillo) m_out << " notice=" << Shown(notice.c_str());
    m_out << '\n';
  }

  void SmallCalls() {
    const int32_t index = static_cast<int32_t>(R().Below(3)) - 1;
    const Text exchange = TextFrom(kExchanges);
    const int32_t field = static_cast<int32_t>(R().Below(3));
    const Text junk = reinterpret_cast<Text>(uintptr_t{0x10});
    m_out << "  GetNumberOfSets() = " << m_plugin.GetNumberOfSets() << " GetSetName(" << index
          << ") = " << Shown(m_plugin.GetSetName(index))
          << " GetExchgCount0() = " << m_plugin.GetExchgCount0(junk, junk, junk)
          << " IsValidExchg0(" << Shown(exchange) << ',' << field
          << ") = " << m_plugin.IsValidExchg0(exchange, junk, junk, junk, -7, -7, field) << '\n';
  }

  void Setup() {
    MessageBoxWatcher box(kBoxTimeoutMs);
    m_plugin.SetupSet0();
    m_out << "  SetupSet0() notice=" << Shown(box.Finish().c_str()) << '\n';
  }

  // What the host's folder holds before the first call: settings of every
  // shape, the host's executable with a version or without.
  void SetUpFolder() {
    // Lines as the system writes them; and blanks around names and values,
    // LF or CR alone, no line end at the end, which a hand may write.
    static const char* const kLines[] = {
        "[Settings]",        "Claimed=123",      "Operators=UT1AA<CR><LF>UT2BB",
        "Email=a@b.c",       "Name=\" Petro \"", "Address=Line 1<CR><LF>Line 2<LF>",
        "[Other]",           "Club=XYZ",         "SoapBox=73<CR>",
        "Category=MULTI-OP", "Contest=OTHER",    "[settings]",
        "Name=second",       "Club=\xE9t\xE9"};
    static const char* const kHandLines[] = {" Name = \" Petro \" ", "\tEmail=\tx@y.z",
                                             "[ Settings ]"};
    static const char* const kHandEnds[] = {"\n", "\r", "\r\n"};
    const uint32_t settings = R().Below(6);
    m_handWritten = settings >= 4;
    if (settings > 0) fs::create_directory("Plugins");
    if (settings >= 2) {
      // Windows puts a new key after the last key of its section, Wine after
      // a comment that follows it: comments come first here.
      std::string text = R().OneIn(4) ? "; Name=no\r\n" : "";
      const uint32_t lines = R().Below(10);
      for (uint32_t i = 0; i < lines; ++i) {
        text += m_handWritten && R().OneIn(4) ? R().Pick(kHandLines) : R().Pick(kLines);
        text += m_handWritten ? R().Pick(kHandEnds) : "\r\n";
      }
      if (settings == 5) text += "Name=no end";
      WriteFile("Plugins/TAVIN.ini", text);
      m_out << "  folder: TAVIN.ini=\"" << Escaped(text) << "\"\n";
    }
    if (R().OneIn(3)) {
      const char* host = R().OneIn(2) ? "Tovu2.exe" : "Tovu3.exe";
      const char* fixture = R().Pick(kFixtures);
      std::error_code ignored;
      fs::copy_file(m_fixtures / fixture, host, ignored);
      m_out << "  folder: " << host << '=' << fixture << '\n';
    }
    if (R().OneIn(25)) {
      fs::create_directory("err.txt");
      m_out << "  folder: err.txt is a folder\n";
    }
  }

  // Every file left in the folder, sorted by name, with its bytes; the
  // host's executables by name only.
  void ListFiles(const fs::path& folder) {
    std::vector<std::pair<std::string, fs::path>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      std::string name = HostFileName(fs::relative(entry.path(), folder));
      if (entry.is_directory()) name += '/';
      files.emplace_back(name, entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& [name, path] : files) {
      m_out << "  file " << Escaped(name);
      if (name.back() != '/' && name.find(".exe") == std::string::npos) {
        std::string bytes = ReadFile(path);
        if (m_handWritten && name == "Plugins/TAVIN.ini") {
          bytes = AsRewritten(bytes);
          m_out << " rewritten";
        }
        m_out << " \"" << Escaped(bytes) << '"';
      }
      m_out << '\n';
    }
  }

  const tools::PluginExports& m_plugin;
  std::ofstream& m_out;
  const int m_hour;
  const fs::path m_fixtures;
  Random* m_random = nullptr;
  std::vector<QsoCallArgs> m_offered;
  std::vector<QsoCallArgs> m_stored;  // accepted since the last reset
  std::deque<std::string> m_texts;    // owns the texts of the sequence's calls
  char m_outputs[2][64] = {};
  bool m_cabrillo = false;
  bool m_clockKept = true;
  bool m_handWritten = false;  // the settings file was not written as the system writes
};

// A sequence named as the transcript names it, "SEED:NUMBER".
struct SequenceName {
  uint64_t seed = 0;
  uint32_t number = 0;
};

bool ParseSequenceName(const char* text, SequenceName* name) {
  char* end = nullptr;
  name->seed = std::strtoull(text, &end, 10);
  if (end == text || *end != ':') return false;
  const char* number = end + 1;
  name->number = static_cast<uint32_t>(std::strtoul(number, &end, 10));
  return end != number && *end == '\0';
}

int Main(int argc, char** argv) {
  bool usable = argc >= 6;
  std::vector<SequenceName> named;
  for (int i = 6; usable && i < argc; ++i) {
    named.emplace_back();
    usable = ParseSequenceName(argv[i], &named.back());
  }
  if (!usable) {
    std::fprintf(stderr, "usage: %s LIBRARY TRANSCRIPT SEED COUNT HOUR [SEED:NUMBER...]\n",
                 argv[0]);
    return kUsage;
  }
  const tools::PluginExports plugin(argv[1]);
  if (!plugin.Loaded()) {
    std::fprintf(stderr, "cannot load the plug-in: %s\n", plugin.Error().c_str());
    return kUsage;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  const uint64_t seed = std::strtoull(argv[3], nullptr, 10);
  const uint32_t count = static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10));
  const int hour = std::atoi(argv[5]);
  const char* fixtures = std::getenv("VERSION_FIXTURE_DIR");
  if (fixtures == nullptr) {
    std::fprintf(stderr, "VERSION_FIXTURE_DIR must name the version fixtures' folder\n");
    return kUsage;
  }
  Driver driver(plugin, out, hour, fs::absolute(fixtures));
  for (uint32_t i = 0; i < count; ++i) {
    if (!driver.RunSequence(seed, i)) return kClockMoved;
  }
  for (const SequenceName& name : named) {
    if (!driver.RunSequence(name.seed, name.number)) return kClockMoved;
  }
  out.close();
  return out ? 0 : 1;
}

}  // namespace
}  // namespace testing_support

int main(int argc, char** argv) { return testing_support::Main(argc, argv); }
