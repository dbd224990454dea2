// Stats.def, which gives the Windows library its export table, against the
// list of the exports that the host side resolves: the same names, decorated
// names and ordinals, and nothing else; and each decorated name against the
// one its function type of plugin/stats_api.h gives, so that a changed
// argument list shows here.

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/stats_exports.h"
#include "tests/test_support.h"

namespace {

// The lines below EXPORTS, white space folded to single blanks.
std::vector<std::string> DefExports(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  bool exports = false;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string folded;
    for (std::string word; words >> word;) folded += (folded.empty() ? "" : " ") + word;
    if (exports && !folded.empty()) lines.push_back(folded);
    if (folded == "EXPORTS") exports = true;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The code of one type in a decorated name, and whether later uses of it
// refer back to the first by number.
template <typename T>
struct TypeCode;
#define STATS_TYPE_CODE(Type, code, referred)   \
  template <>                                   \
  struct TypeCode<Type> {                       \
    static constexpr const char* kCode = code;  \
    static constexpr bool kReferred = referred; \
  };
STATS_TYPE_CODE(void, "X", false)
STATS_TYPE_CODE(int32_t, "H", false)
STATS_TYPE_CODE(uint32_t, "I", false)
STATS_TYPE_CODE(double, "N", false)
STATS_TYPE_CODE(const char*, "PBD", true)
STATS_TYPE_CODE(char*, "PAD", true)
STATS_TYPE_CODE(int32_t*, "PAH", true)
STATS_TYPE_CODE(DateTime, "PAVCOleDateTime@ATL@@", true)
#undef STATS_TYPE_CODE

// Appends `code`, or the number of its first use among the arguments.
void AppendArgument(const char* code, bool referred, std::vector<std::string>* seen,
                    std::string* out) {
  if (referred) {
    const auto first = std::find(seen->begin(), seen->end(), code);
    if (first != seen->end()) {
      *out += std::to_string(first - seen->begin());
      return;
    }
    seen->push_back(code);
  }
  *out += code;
}

// The part of a decorated name after the function's name: a __cdecl
// function, its result, its arguments.
template <typename Fn>
struct Signature;
template <typename R, typename... A>
struct Signature<R(A...)> {
  static std::string Code() {
    std::string code = std::string("@@YA") + TypeCode<R>::kCode;
    if (sizeof...(A) == 0) return code + "XZ";
    std::vector<std::string> seen;
    (AppendArgument(TypeCode<A>::kCode, TypeCode<A>::kReferred, &seen, &code), ...);
    return code + "@Z";
  }
};

TEST(StatsDef, DecoratedNamesFollowTheArgumentLists){
#define STATS_EXPORT_ENTRY(type, name, decorated, ordinal, plainOrdinal) \
  {                                                                      \
    const std::string given = decorated;                                 \
    const std::string code = Signature<type>::Code();                    \
    EXPECT_EQ(given.substr(given.find("@@")), code) << #name;            \
  }
#include "plugin/stats_exports.def"
}

TEST(StatsDef, ListsEveryExportOnceUnderBothNames) {
  std::vector<std::string> expected;
  for (const StatsExportNames& e : kStatsExports) {
    expected.push_back(std::string(e.decorated) + " = " + e.plain + " @" +
                       std::to_string(e.ordinal));
    expected.push_back(std::string(e.plain) + " @" + std::to_string(e.plainOrdinal));
  }
  std::sort(expected.begin(), expected.end());
  const std::string def = testing_support::ReadFile(STATS_DEF_FILE);
  ASSERT_FALSE(def.empty()) << STATS_DEF_FILE;
  EXPECT_EQ(DefExports(def), expected);
}

}  // namespace
