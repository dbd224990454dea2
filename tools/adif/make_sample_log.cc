// Writes a generated CQ UT CONTEST log in ADIF to standard output:
//   make_sample_log SEED COUNT [START_DATE START_HOUR [OWN_CALL [OWN_CODE]]]
// START_DATE is YYYY-MM-DD or YYYYMMDD; the defaults are those of
// ContestLogOptions.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "stats/contest_facts.h"
#include "tools/adif/adif_writer.h"
#include "tools/adif/log_generator.h"
#include "tools/adif/number_argument.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: make_sample_log SEED COUNT [START_DATE START_HOUR "
               "[OWN_CALL [OWN_CODE]]]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc == 4 || argc > 7) return Usage();
  tools::ContestLogOptions options;
  unsigned long seed = 0;
  unsigned long count = 0;
  unsigned long hour = 0;
  if (!tools::ParseUnsignedArgument(argv[1], 0xFFFFFFFFul, &seed) ||
      !tools::ParseUnsignedArgument(argv[2], 1000000ul, &count)) {
    return Usage();
  }
  options.seed = static_cast<uint32_t>(seed);
  options.qsoCount = count;
  if (argc >= 5) {
    if (!tools::ParseUnsignedArgument(argv[4], 23ul, &hour)) return Usage();
    std::string problem;
    if (!tools::ContestStart(argv[3], static_cast<int>(hour), &options.start, &problem)) {
      std::fprintf(stderr, "make_sample_log: %s\n", problem.c_str());
      return 1;
    }
  }
  if (argc >= 6) options.ownCall = argv[5];
  if (argc >= 7) options.ownMultCode = argv[6];

  const std::string header = std::string(stats::kContestName) + " log of " + options.ownCall +
                             ", generated with seed " + std::to_string(seed);
  const std::string text =
      tools::WriteAdifLog(tools::GenerateContestLog(options), options.ownCall, header);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "make_sample_log: cannot write the log\n");
    return 1;
  }
  return 0;
}
