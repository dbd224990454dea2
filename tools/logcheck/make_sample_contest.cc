// Writes a generated CQ UT CONTEST into a folder, for logcheck to check:
//   make_sample_contest DIR [SEED [ENTRANTS [SILENT [QSO_LINES]]]]
// DIR/logs/ receives every entrant's Cabrillo log, DIR/groups.txt the group
// map, DIR/truth.csv what really happened on each QSO line
// (log,line,truth,correct,worked_sent_log) and DIR/truth_logs.csv each
// log's planted clock (log,call,clock_offset_min,qso_lines). The defaults
// are those of ContestOptions.

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/adif/log_generator_contest.h"
#include "tools/adif/number_argument.h"

namespace {

constexpr char kUsage[] = "usage: make_sample_contest DIR [SEED [ENTRANTS [SILENT [QSO_LINES]]]]\n";

int Usage() {
  std::fprintf(stderr, "%s", kUsage);
  return 2;
}

bool WriteWhole(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::printf("%s", kUsage);
    return 0;
  }
  // An option is no folder: "--seed" would otherwise become one.
  if (argc < 2 || argc > 6 || argv[1][0] == '-') return Usage();
  tools::ContestOptions options;
  unsigned long values[4] = {options.seed, options.entrants, options.silentStations,
                             options.qsoLines};
  const unsigned long limits[4] = {0xFFFFFFFFul, 100000ul, 1000000ul, 100000000ul};
  for (int i = 2; i < argc; ++i) {
    if (!tools::ParseUnsignedArgument(argv[i], limits[i - 2], &values[i - 2])) return Usage();
  }
  options.seed = static_cast<uint32_t>(values[0]);
  options.entrants = values[1];
  options.silentStations = values[2];
  options.qsoLines = values[3];

  namespace fs = std::filesystem;
  const fs::path root = fs::u8path(argv[1]);
  std::error_code error;
  fs::create_directories(root / "logs", error);
  std::ofstream truth(root / "truth.csv", std::ios::binary);
  std::ofstream clocks(root / "truth_logs.csv", std::ios::binary);
  truth << "log,line,truth,correct,worked_sent_log\n";
  clocks << "log,call,clock_offset_min,qso_lines\n";
  bool written = !error && WriteWhole(root / "groups.txt", tools::ContestGroupMap());
  tools::GenerateContest(options, [&](const tools::GeneratedLog& log) {
    written = written && WriteWhole(root / "logs" / log.fileName, log.cabrillo);
    truth << tools::TruthCsvRows(log);
    clocks << log.fileName << ',' << log.call << ',' << log.clockOffset << ',' << log.lines.size()
           << '\n';
  });
  if (!written || !truth.flush() || !clocks.flush()) {
    std::fprintf(stderr, "make_sample_contest: cannot write in %s\n", argv[1]);
    return 1;
  }
  return 0;
}
