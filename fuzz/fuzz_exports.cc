// Drives the plug-in's ten exports with call sequences and arguments chosen
// by the fuzzer (format in fuzz/export_ops.h), and checks what every export
// promises the host whatever it is given. The plug-in's files are kept in
// memory (fuzz/memory_files.h): after every input no descriptor is left
// open, no temporary file is left behind, and nothing reached the disk.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <limits>
#include <set>
#include <string>

#include "fuzz/export_ops.h"
#include "fuzz/expect.h"
#include "fuzz/fuzz_work_dir.h"
#include "fuzz/memory_files.h"
#include "plugin/stats_api.h"

extern "C" {
AddData0Fn AddData0;
RemoveData0Fn RemoveData0;
ResetStats0Fn ResetStats0;
CheckCall0Fn CheckCall0;
GetExchgCount0Fn GetExchgCount0;
IsValidExchg0Fn IsValidExchg0;
GetNumberOfSetsFn GetNumberOfSets;
GetSetNameFn GetSetName;
SetupSet0Fn SetupSet0;
GetResult0Fn GetResult0;
}

namespace {

using namespace fuzzing;

constexpr size_t kMaxCalls = 256;
constexpr size_t kLongTextBudget = 16 * 1024;  // bytes of long texts per input
constexpr size_t kMaxLongText = 4 * 1024;

// Reads the input from the front; past its end every value is zero.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  bool AtEnd() const { return m_pos >= m_size; }
  uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t{Byte()} << (8 * i);
    return v;
  }
  uint64_t U64() { return uint64_t{U32()} | uint64_t{U32()} << 32; }
  std::string Bytes(size_t n) {
    n = std::min(n, m_size - std::min(m_pos, m_size));
    std::string bytes(reinterpret_cast<const char*>(m_data + m_pos), n);
    m_pos += n;
    return bytes;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

// Values for the calls' arguments. Texts and date-times live as long as the
// input's calls, so no pointer dangles while an export runs.
class Arguments {
 public:
  explicit Arguments(Reader& in) : m_in(in) {}

  // A text in a position the export reads: null, empty, a word, any bytes.
  Text ReadText() {
    const uint8_t kind = m_in.Byte();
    switch (kind % 8) {
      case 0:
        return nullptr;
      case 1:
        return kWords[m_in.Byte() % kWordCount];
      case 3: {
        std::string piece = m_in.Bytes(m_in.Byte() % 17);
        if (piece.empty() || piece[0] == '\0') piece = "W";
        // Up to 4 KiB: far past every width and buffer of the plug-in and the
        // host, and cheap enough for millions of runs.
        const size_t repeats = (1 + m_in.Byte()) * (m_in.Byte() % 4 == 3 ? 16 : 1);
        size_t length = std::min(piece.size() * repeats, kMaxLongText);
        if (m_longBytes + length > kLongTextBudget) length = piece.size();
        m_longBytes += length;
        std::string text = piece;
        while (text.size() < length) {
          text.append(text, 0, std::min(text.size(), length - text.size()));
        }
        return Keep(std::move(text));
      }
      case 4: {
        std::string text = m_in.Bytes(m_in.Byte());
        for (char& c : text) c = static_cast<char>(c | 0x80);
        return Keep(std::move(text));
      }
      default:
        return Keep(m_in.Bytes(m_in.Byte()));
    }
  }

  // A date-time in a position the export reads.
  DateTime ReadTime() {
    const uint8_t kind = m_in.Byte();
    StatsDateTime time{0.0, 0};
    switch (kind % 4) {
      case 0:
        return nullptr;
      case 1: {
        const unsigned minutes = m_in.Byte() + 256u * m_in.Byte();
        time.value = 46375.0 + minutes / 1440.0;
        break;
      }
      case 2: {
        const uint64_t bits = m_in.U64();
        std::memcpy(&time.value, &bits, sizeof time.value);
        time.status = static_cast<int32_t>(m_in.U32());
        break;
      }
      default: {
        static const int32_t kStatus[] = {0, 1, 2, -1};
        time.value = kSpecialDays[m_in.Byte() % kSpecialCount];
        if (kind & 0x80) time.value = -time.value;
        time.status = kStatus[kind / 4 % 4];
        if (kind & 0x40) time.value = std::numeric_limits<double>::quiet_NaN();
        if (kind & 0x20) {
          time.value = (kind & 0x10 ? -1 : 1) * std::numeric_limits<double>::infinity();
        }
        break;
      }
    }
    m_times.push_back(time);
    return &m_times.back();
  }

  void TakeJunk() { m_junk = m_in.Byte(); }
  Text J() const { return reinterpret_cast<Text>(kJunkPointers[m_junk & 3]); }
  DateTime JD() const { return reinterpret_cast<DateTime>(kJunkPointers[(m_junk >> 2) & 3]); }
  char* JW() const { return reinterpret_cast<char*>(kJunkPointers[m_junk & 3]); }
  int32_t JI() const { return kJunkInts[(m_junk >> 4) & 3]; }
  double JF() const {
    static const double kFloats[] = {std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(), -1e308, 0.0};
    return kFloats[(m_junk >> 6) & 3];
  }

  Reader& In() { return m_in; }

 private:
  Text Keep(std::string text) {
    m_texts.push_back(std::move(text));
    return m_texts.back().c_str();
  }

  Reader& m_in;
  uint8_t m_junk = 0;
  size_t m_longBytes = 0;
  std::deque<std::string> m_texts;
  std::deque<StatsDateTime> m_times;
};

bool IsEmpty(Text text) { return text == nullptr || *text == '\0'; }
bool Is(Text text, const char* expected) {
  return text != nullptr && std::strcmp(text, expected) == 0;
}

// Bounds on the number of stored records, known from the calls' results
// and tightened by every results text. `added` holds the records accepted
// since the last reset, results request or removal: until one of those,
// each of them is stored unchanged, so offering one again stores nothing.
struct StoreCount {
  size_t low = 0;
  size_t high = 0;
  std::set<std::string> added;
};

std::string TextOf(Text text) { return text != nullptr ? text : ""; }

// What decides the equality of the record that AddData0 makes, as a key.
std::string RecordKey(std::initializer_list<Text> texts, const StatsDateTime* time,
                      uint32_t freqHz) {
  std::string key;
  for (Text text : texts) key += TextOf(text) + '\0';
  key += std::to_string(freqHz / 1000);
  if (time == nullptr || time->status == 2) return key + "|null";
  char value[40];
  std::snprintf(value, sizeof value, "|%.17g", time->value == 0.0 ? 0.0 : time->value);
  return key + value;
}

void SetUpFile(Reader& in) {
  const uint8_t kind = in.Byte() % kFileCount;
  const std::string content = in.Bytes(in.Byte());
  switch (kind) {
    case kFileSettings:
      PutMemoryFile("Plugins/TAVIN.ini", content);
      break;
    case kFilePlugins:
      PutMemoryFolder("Plugins");
      break;
    case kFileHostExe:
      PutMemoryFile("Tovu2.exe", content);
      break;
    case kFileErrFolder:
      RemoveMemoryFile("err.txt");
      PutMemoryFolder("err.txt");
      break;
    default:
      ClearMemoryFiles();
      break;
  }
}

void Reset(Arguments& a, int32_t* cabrillo, StoreCount* count) {
  a.TakeJunk();
  static const int32_t kFlags[] = {0, 1, -1, INT32_MIN};
  const uint8_t flagKind = a.In().Byte();
  const int32_t flag = flagKind < 4 ? kFlags[flagKind] : (flagKind & 1);
  const Text ownCall = flag != 0 ? a.ReadText() : a.J();
  const DateTime start = a.ReadTime();
  const Text ownMult = a.ReadText();
  const Text ownGroup = a.ReadText();
  const int32_t result = ResetStats0(a.J(), flag, ownCall, start, a.JD(), a.J(), a.J(), a.J(),
                                     a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), ownMult, a.JI(),
                                     a.JI(), a.JI(), a.JF(), a.JF(), a.J(), ownGroup, a.J());
  FUZZ_EXPECT(result == 1);
  *cabrillo = flag;
  *count = StoreCount{};
}

void Add(Arguments& a, StoreCount* count) {
  a.TakeJunk();
  const Text ownCall = a.ReadText();
  const Text call = a.ReadText();
  const DateTime time = a.ReadTime();
  const uint32_t freq = a.In().U32();
  const Text mode = a.ReadText();
  const Text rstSent = a.ReadText();
  const Text rstRcvd = a.ReadText();
  const Text exchSent = a.ReadText();
  const Text exchRcvd = a.ReadText();
  const Text mult = a.ReadText();
  const Text group = a.ReadText();
  const Text band = a.ReadText();
  const uint32_t ignored = a.In().U32();
  const int32_t result =
      AddData0(ownCall, call, time, a.JD(), a.JD(), a.JD(), ignored, freq, mode, rstSent, rstRcvd,
               exchSent, exchRcvd, a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.J(),
               mult, a.JI(), a.JI(), a.JI(), a.JF(), a.JF(), a.J(), group, a.J(), band, a.J());
  const bool countable =
      (Is(mode, "CW") || Is(mode, "SSB")) && !IsEmpty(exchSent) && !IsEmpty(exchRcvd);
  FUZZ_EXPECT(result == (countable ? 1 : 0));
  if (result != 1) return;
  // A record whose date-time equals nothing (not valid and not null, or a
  // NaN day) can equal no stored record, so it is always appended.
  const bool equalsNothing =
      time != nullptr && time->status != 2 && (time->status != 0 || time->value != time->value);
  if (equalsNothing) {
    ++count->low;
    ++count->high;
    return;
  }
  const std::string key =
      RecordKey({call, mode, rstSent, rstRcvd, exchSent, exchRcvd, mult, group, band}, time, freq);
  if (count->added.insert(key).second) ++count->high;
}

void Remove(Arguments& a, StoreCount* count) {
  a.TakeJunk();
  const Text call = a.ReadText();
  const Text mode = a.ReadText();
  const Text exchSent = a.ReadText();
  const Text exchRcvd = a.ReadText();
  const Text band = a.ReadText();
  const uint32_t ignored1 = a.In().U32();
  const uint32_t ignored2 = a.In().U32();
  const int32_t result = RemoveData0(
      a.J(), call, a.JD(), a.JD(), a.JD(), a.JD(), ignored1, ignored2, mode, a.J(), a.J(), exchSent,
      exchRcvd, a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.JI(),
      a.JI(), a.JI(), a.JF(), a.JF(), a.J(), a.J(), a.J(), band, a.J());
  FUZZ_EXPECT(result == (IsEmpty(exchSent) || IsEmpty(exchRcvd) ? 0 : 1));
  if (result == 1 && count->low > 0) --count->low;
  count->added.clear();
}

void Check(Arguments& a) {
  a.TakeJunk();
  const Text call = a.ReadText();
  const Text mode = a.ReadText();
  const Text mult = a.ReadText();
  const Text band = a.ReadText();
  const uint32_t ignored1 = a.In().U32();
  const uint32_t ignored2 = a.In().U32();
  const int32_t result =
      CheckCall0(call, ignored1, ignored2, mode, a.J(), a.J(), a.J(), a.J(), a.J(), a.J(), a.J(),
                 a.J(), a.J(), mult, a.JI(), a.JI(), a.JI(), a.JF(), a.JF(), a.J(), a.J(), a.J(),
                 a.J(), a.J(), band, a.J(), a.JW(), a.JW());
  FUZZ_EXPECT(result >= 0 && result <= 2);
}

void ValidExchange(Arguments& a) {
  a.TakeJunk();
  const Text exchange = a.ReadText();
  const int32_t field = static_cast<int32_t>(a.In().U32());
  const int32_t result = IsValidExchg0(exchange, a.J(), a.J(), a.J(), a.JI(), a.JI(), field);
  FUZZ_EXPECT(result == 0 || result == 1);
  if (result == 1) FUZZ_EXPECT(field == 0 && exchange != nullptr && std::strlen(exchange) == 5);
  FUZZ_EXPECT(GetExchgCount0(a.J(), a.J(), a.J()) == 1);
}

// The number after `label` in `text`, or -1 when the label is missing.
long long NumberAfter(const std::string& text, const char* label) {
  const size_t at = text.rfind(label);
  if (at == std::string::npos) return -1;
  return std::strtoll(text.c_str() + at + std::strlen(label), nullptr, 10);
}

void Result(Reader& in, int32_t cabrillo, StoreCount* count) {
  const bool withScore = (in.Byte() & 1) != 0;
  int32_t score = 0x5A5A5A5A;
  const char* text = GetResult0(withScore ? &score : nullptr);
  FUZZ_EXPECT(text != nullptr);
  const std::string results(text);
  if (std::getenv("FUZZ_EXPORTS_SHOW") != nullptr) std::fprintf(stderr, "%s\n", text);
  FUZZ_EXPECT(results.rfind("\t\tCQ UT  Contest\r\n\tQSOs\tPoints\tCW\tSSB\r\n", 0) == 0);
  const long long records = NumberAfter(results, "\r\nTotal\t ");
  FUZZ_EXPECT(records >= static_cast<long long>(count->low) &&
              records <= static_cast<long long>(count->high));
  count->low = count->high = static_cast<size_t>(records);
  count->added.clear();
  if (withScore) {
    FUZZ_EXPECT(score == (cabrillo != 0 ? -1 : NumberAfter(results, "\r\nScore:  = ")));
  }
}

void Enumerate(Reader& in) {
  const int32_t index = static_cast<int32_t>(in.U32());
  FUZZ_EXPECT(GetNumberOfSets() == 1);
  const char* name = GetSetName(index);
  FUZZ_EXPECT(name != nullptr);
  FUZZ_EXPECT(std::strcmp(name, index == 0 ? "CQ UT CONTEST" : "") == 0);
}

}  // namespace

// The private folder on disk stays the current directory: a file that
// bypasses the memory files lands there, and the check after each input
// finds it.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterPrivateWorkDir("fuzz_exports");
  UseMemoryFiles();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ClearMemoryFiles();
  Reader in(data, size);
  Arguments args(in);
  int32_t cabrillo = 0;
  StoreCount count;
  Reset(args, &cabrillo, &count);
  for (size_t calls = 0; calls < kMaxCalls && !in.AtEnd(); ++calls) {
    switch (in.Byte() % kOpCount) {
      case kOpReset:
        Reset(args, &cabrillo, &count);
        break;
      case kOpAdd:
        Add(args, &count);
        break;
      case kOpRemove:
        Remove(args, &count);
        break;
      case kOpCheck:
        Check(args);
        break;
      case kOpValidExchange:
        ValidExchange(args);
        break;
      case kOpResult:
        Result(in, cabrillo, &count);
        break;
      case kOpSetup:
        SetupSet0();
        break;
      case kOpEnumerate:
        Enumerate(in);
        break;
      default:
        SetUpFile(in);
        break;
    }
  }
  FUZZ_EXPECT(OpenMemoryDescriptors() == 0);
  FUZZ_EXPECT(MemoryTempFiles() == 0);
  FUZZ_EXPECT(WorkDirIsEmpty());
  return 0;
}
