// Drives the plug-in's ten exports with call sequences and arguments chosen
// by the fuzzer (format in fuzz/export_ops.h), and checks what every export
// promises the host whatever it is given. The plug-in's files are kept in
// memory (fuzz/memory_files.h): after every input no descriptor is left
// open, no temporary file is left behind, and nothing reached the disk.

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/export_ops.h"
#include "fuzz/expect.h"
#include "fuzz/fuzz_work_dir.h"
#include "fuzz/memory_files.h"
#include "plugin/stats_exports.h"
#include "tools/host/export_args.h"
#include "tools/host/junk_filler.h"

extern "C" {
#define STATS_EXPORT_ENTRY STATS_DECLARE_EXPORT
#include "plugin/stats_exports.def"
}

namespace {

using namespace fuzzing;
using tools::ArgKind;
using tools::CheckCallArgs;
using tools::DateTimeArg;
using tools::QsoCallArgs;
using tools::ResetCallArgs;

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
  std::string_view Bytes(size_t n) {
    n = std::min(n, m_size - std::min(m_pos, m_size));
    const std::string_view bytes(reinterpret_cast<const char*>(m_data + m_pos), n);
    m_pos += n;
    return bytes;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

// Storage for the texts handed to the exports, kept from one input to the
// next: an input's texts are carved from blocks that the next input reuses,
// so a text costs no allocation once the blocks exist. A text lives until
// the next input starts. Under AddressSanitizer all but the input's texts
// is poisoned, each text followed by a poisoned gap: reading past the NUL
// written after a text's bytes is reported as it would be with texts
// allocated one by one (bytes after a NUL inside the text stay readable, as
// there), and so is a read of a stale text where the input has put none.
class TextArena {
 public:
  // Forgets every text: the start of an input.
  void Clear() {
    for (size_t i = 0; i < m_next; ++i) ASAN_POISON_MEMORY_REGION(m_blocks[i].get(), kBlockSize);
    m_next = 0;
    m_left = 0;
  }

  // A copy of `bytes` with a NUL after it, living until Clear().
  const char* Copy(std::string_view bytes) {
    char* text = Take(bytes.size());
    if (!bytes.empty()) std::memcpy(text, bytes.data(), bytes.size());
    return text;
  }

  // Room for `size` bytes and a NUL, which is written; `size` is less than
  // kBlockSize.
  char* Take(size_t size) {
    const size_t need = size + 1;
    if (need > m_left) {
      if (m_next == m_blocks.size()) {
        m_blocks.push_back(std::make_unique<char[]>(kBlockSize));
        ASAN_POISON_MEMORY_REGION(m_blocks.back().get(), kBlockSize);
      }
      m_at = m_blocks[m_next++].get();
      m_left = kBlockSize;
    }
    char* text = m_at;
    // The next text starts aligned, past a gap, so the gap's shadow stays
    // poisoned whatever the length.
    const size_t step = std::min(m_left, (need + kGap + 7) & ~size_t{7});
    m_at += step;
    m_left -= step;
    ASAN_UNPOISON_MEMORY_REGION(text, need);
    text[size] = '\0';
    return text;
  }

  static constexpr size_t kBlockSize = 64 * 1024;

 private:
  static constexpr size_t kGap = 8;

  std::vector<std::unique_ptr<char[]>> m_blocks;
  size_t m_next = 0;  // blocks in use: m_blocks[m_next - 1] is being carved
  char* m_at = nullptr;
  size_t m_left = 0;  // bytes left at m_at
};

// Values for the calls' arguments. Texts and date-times live as long as the
// input's calls, so no pointer dangles while an export runs.
class Arguments {
 public:
  Arguments(Reader& in, TextArena& texts) : m_in(in), m_texts(texts) {}

  // A text in a position the export reads: null, empty, a word, any bytes.
  Text ReadText() {
    const uint8_t kind = m_in.Byte();
    switch (kind % 8) {
      case 0:
        return nullptr;
      case 1:
        return kWords[m_in.Byte() % kWordCount];
      case 3: {
        std::string_view piece = m_in.Bytes(m_in.Byte() % 17);
        if (piece.empty() || piece[0] == '\0') piece = "W";
        // Up to 4 KiB: far past every width and buffer of the plug-in and the
        // host, and cheap enough for millions of runs.
        const size_t repeats = (1 + m_in.Byte()) * (m_in.Byte() % 4 == 3 ? 16 : 1);
        static_assert(kMaxLongText < TextArena::kBlockSize);
        size_t length = std::min(piece.size() * repeats, kMaxLongText);
        if (m_longBytes + length > kLongTextBudget) length = piece.size();
        m_longBytes += length;
        char* text = m_texts.Take(length);
        std::memcpy(text, piece.data(), piece.size());
        for (size_t filled = piece.size(); filled < length; filled *= 2) {
          std::memcpy(text + filled, text, std::min(filled, length - filled));
        }
        return text;
      }
      case 4: {
        const std::string_view bytes = m_in.Bytes(m_in.Byte());
        char* text = m_texts.Take(bytes.size());
        for (size_t i = 0; i < bytes.size(); ++i) text[i] = static_cast<char>(bytes[i] | 0x80);
        return text;
      }
      default:
        return m_texts.Copy(m_in.Bytes(m_in.Byte()));
    }
  }

  uint32_t ReadHz() { return m_in.U32(); }

  // The value of a list's field that the export reads, by its kind.
  void Read(Text* text) { *text = ReadText(); }
  void Read(DateTimeArg* time) { *time = ReadTime(); }
  void Read(uint32_t* hz) { *hz = ReadHz(); }
  void Read(int32_t* flag) {
    static const int32_t kFlags[] = {0, 1, -1, INT32_MIN};
    const uint8_t kind = m_in.Byte();
    *flag = kind < 4 ? kFlags[kind] : (kind & 1);
  }

  // A date-time in a position the export reads.
  DateTimeArg ReadTime() {
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
    return time;
  }

  void TakeJunk() { m_junk = m_in.Byte(); }
  // A call's junk byte, then the values of its list that it reads:
  // `callAndFields` are ForEachArgument's arguments but the visitor.
  template <typename... CallAndFields>
  void ReadCall(CallAndFields&&... callAndFields) {
    TakeJunk();
    ForEachArgument(std::forward<CallAndFields>(callAndFields)...,
                    [&](auto& field) { Read(&field); });
  }
  // The junk taken before the call, and `integers` (0 to 2) unsigned
  // integers read now for its unsigned positions.
  tools::JunkFiller Junk(size_t integers) {
    uint32_t values[2] = {};
    for (size_t i = 0; i < integers; ++i) values[i] = m_in.U32();
    if (integers == 1) values[1] = values[0];
    return tools::JunkFiller(m_junk, values);
  }

  Reader& In() { return m_in; }

 private:
  Reader& m_in;
  TextArena& m_texts;
  uint8_t m_junk = 0;
  size_t m_longBytes = 0;
};

bool IsEmpty(Text text) { return text == nullptr || *text == '\0'; }
bool Is(Text text, const char* expected) {
  return text != nullptr && std::strcmp(text, expected) == 0;
}

// Bounds on the number of stored records, known from the calls' results
// and tightened by every results text. The added keys are those of the
// records accepted since the last reset, results request or removal: until
// one of those, each of them is stored unchanged, so offering one again
// stores nothing. The keys' strings are kept for the next input.
class StoreCount {
 public:
  size_t low = 0;
  size_t high = 0;

  void Reset() {
    low = high = 0;
    ForgetAdded();
  }
  void ForgetAdded() {
    m_added = 0;
    m_hashes.clear();
  }

  // Adds the key of the record that AddData0 made from `q`; false when it
  // was added already.
  bool Add(const QsoCallArgs& q) {
    if (m_added == m_keys.size()) m_keys.emplace_back();
    std::string& key = m_keys[m_added];
    key.clear();
#define STATS_QSO_FIELD(name, kind, argument, reads, record) \
  if (stats::record != stats::kReported) AppendKey(q.name, &key);
#include "stats/host_fields.def"
    const size_t hash = std::hash<std::string>()(key);
    for (size_t i = 0; i < m_added; ++i) {
      if (m_hashes[i] == hash && m_keys[i] == key) return false;
    }
    m_hashes.push_back(hash);
    ++m_added;
    return true;
  }

 private:
  // What of a value the record keeps decides its equality, as part of a
  // key: a text's bytes, a date-time's value (any null one alike, -0.0 as
  // 0.0), a frequency's kHz.
  static void AppendKey(Text text, std::string* key) {
    if (text != nullptr) key->append(text);
    key->push_back('\0');
  }
  static void AppendKey(const DateTimeArg& time, std::string* key) {
    const StatsDateTime* t = time.Pointer();
    char value[32] = "null";
    if (t != nullptr && t->status != kStatsDateNull) {
      std::snprintf(value, sizeof value, "%.17g", t->value == 0.0 ? 0.0 : t->value);
    }
    key->append(value).push_back('|');
  }
  static void AppendKey(uint32_t hz, std::string* key) {
    key->append(std::to_string(hz / 1000)).push_back('|');
  }

  std::vector<std::string> m_keys;  // the first m_added are the added keys
  std::vector<size_t> m_hashes;     // of the added keys
  size_t m_added = 0;
};

void SetUpFile(Reader& in) {
  const uint8_t kind = in.Byte() % kFileCount;
  const std::string_view content = in.Bytes(in.Byte());
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
  ResetCallArgs fields;
  a.ReadCall(fields);
  tools::JunkFiller junk = a.Junk(0);
  FUZZ_EXPECT(tools::CallReset(ResetStats0, fields, junk, true) == 1);
  *cabrillo = fields.cabrilloFlag;
  count->Reset();
}

void Add(Arguments& a, StoreCount* count) {
  QsoCallArgs fields;
  a.ReadCall(stats::HostCall::kAddData, fields);
  tools::JunkFiller junk = a.Junk(1);
  const int32_t result = tools::CallWithQso(AddData0, fields, junk, false);
  const QsoCallArgs& q = fields;
  const bool countable =
      (Is(q.mode, "CW") || Is(q.mode, "SSB")) && !IsEmpty(q.exchSent) && !IsEmpty(q.exchRcvd);
  FUZZ_EXPECT(result == (countable ? 1 : 0));
  if (result != 1) return;
  // A record whose date-time equals nothing (not valid and not null, or a
  // NaN day) can equal no stored record, so it is always appended.
  const StatsDateTime* time = q.time.Pointer();
  const bool equalsNothing =
      time != nullptr && time->status != 2 && (time->status != 0 || time->value != time->value);
  if (equalsNothing) {
    ++count->low;
    ++count->high;
    return;
  }
  if (count->Add(q)) {
    ++count->high;
  }
}

void Remove(Arguments& a, StoreCount* count) {
  QsoCallArgs fields;
  a.ReadCall(stats::HostCall::kRemoveData, fields);
  tools::JunkFiller junk = a.Junk(2);
  const int32_t result = tools::CallWithQso(RemoveData0, fields, junk, true);
  FUZZ_EXPECT(result == (IsEmpty(fields.exchSent) || IsEmpty(fields.exchRcvd) ? 0 : 1));
  if (result == 1 && count->low > 0) --count->low;
  count->ForgetAdded();
}

void Check(Arguments& a) {
  CheckCallArgs fields;
  a.ReadCall(fields);
  tools::JunkFiller junk = a.Junk(2);
  const int32_t result = tools::CallCheck(CheckCall0, fields, junk, true);
  FUZZ_EXPECT(result >= 0 && result <= 2);
}

void ValidExchange(Arguments& a) {
  a.TakeJunk();
  const Text exchange = a.ReadText();
  const int32_t field = static_cast<int32_t>(a.In().U32());
  const tools::JunkFiller junk = a.Junk(0);
  const Text j = junk(tools::ArgKind<Text>{});
  const int32_t ji = junk(tools::ArgKind<int32_t>{});
  const int32_t result = IsValidExchg0(exchange, j, j, j, ji, ji, field);
  FUZZ_EXPECT(result == 0 || result == 1);
  if (result == 1) FUZZ_EXPECT(field == 0 && exchange != nullptr && std::strlen(exchange) == 5);
  FUZZ_EXPECT(GetExchgCount0(j, j, j) == 1);
}

// The number after the last `label` in `text`, or -1 when the label is
// missing; `text` ends in a NUL. Only the places of the label's first byte
// are compared: a comparison at every place would be a memcmp a byte, each
// one taken apart by the fuzzer's hooks.
long long NumberAfter(std::string_view text, std::string_view label) {
  for (size_t end = text.size(); end > 0;) {
    const void* first = memrchr(text.data(), label[0], end);
    if (first == nullptr) break;
    end = static_cast<size_t>(static_cast<const char*>(first) - text.data());
    if (text.substr(end, label.size()) == label) {
      return std::strtoll(text.data() + end + label.size(), nullptr, 10);
    }
  }
  return -1;
}

void Result(Reader& in, int32_t cabrillo, StoreCount* count) {
  static const bool show = std::getenv("FUZZ_EXPORTS_SHOW") != nullptr;
  const bool withScore = (in.Byte() & 1) != 0;
  int32_t score = 0x5A5A5A5A;
  const char* text = GetResult0(withScore ? &score : nullptr);
  FUZZ_EXPECT(text != nullptr);
  const std::string_view results(text);
  if (show) std::fprintf(stderr, "%s\n", text);
  FUZZ_EXPECT(results.rfind("\t\tCQ UT  Contest\r\n\tQSOs\tPoints\tCW\tSSB\r\n", 0) == 0);
  const long long records = NumberAfter(results, "\r\nTotal\t ");
  FUZZ_EXPECT(records >= static_cast<long long>(count->low) &&
              records <= static_cast<long long>(count->high));
  count->low = count->high = static_cast<size_t>(records);
  count->ForgetAdded();
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
  // Kept across inputs for their memory only: each is emptied here or by
  // the first reset, so no input sees what an earlier one left.
  static TextArena texts;
  static StoreCount count;
  ClearMemoryFiles();
  texts.Clear();
  Reader in(data, size);
  Arguments args(in, texts);
  int32_t cabrillo = 0;
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
