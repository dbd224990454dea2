#include "tools/logreplay/logreplay_cli.h"

#include <regex>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tools/cabrillo_input/cabrillo_input.h"

namespace tools {
namespace {

struct Parsed {
  int status = 0;
  CommandLine line;
  std::string out;
  std::string err;
};

Parsed Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "logreplay");
  Parsed p;
  p.status = ParseCommandLine(static_cast<int>(args.size()), args.data(), &p.line, &p.out, &p.err);
  return p;
}

TEST(LogreplayCliTest, ScoreTakesDefaults) {
  const Parsed p = Parse({"score", "log.adi"});
  ASSERT_EQ(p.status, -1) << p.err;
  const ScoreCommand& s = p.line.score;
  EXPECT_EQ(p.line.command, CommandLine::kScore);
  EXPECT_EQ(s.logPath, "log.adi");
  EXPECT_EQ(s.pluginPath, "");
  EXPECT_EQ(s.names, ExportNames::kPlain);
  EXPECT_FALSE(s.replay.start.has_value());
  EXPECT_FALSE(s.replay.ownCall.has_value());
  EXPECT_FALSE(s.replay.ownMultCode.has_value());
  EXPECT_FALSE(s.replay.ownGroupCode.has_value());
  EXPECT_FALSE(s.replay.skipBad);
  EXPECT_EQ(s.replay.fields.multField, "");
  EXPECT_EQ(s.replay.fields.groupField, "");
  EXPECT_FALSE(s.replay.cabrillo);
}

TEST(LogreplayCliTest, EveryOptionReachesItsField) {
  const Parsed p =
      Parse({"score", "--plugin", "/x/libStats.so", "--start", "2026-12-19 12", "--own-call",
             "UT9ZZQ", "--own-mult", "", "--own-group", "G3", "--mult-field", "APP_UT_MULT",
             "--group-field", "APP_UT_GROUP", "--cabrillo", "--skip-bad", "log.adi"});
  ASSERT_EQ(p.status, -1) << p.err;
  const ScoreCommand& s = p.line.score;
  EXPECT_EQ(s.logPath, "log.adi");
  EXPECT_EQ(s.pluginPath, "/x/libStats.so");
  ASSERT_TRUE(s.replay.start.has_value());
  StatsDateTime expected;
  std::string problem;
  ASSERT_TRUE(ParseContestStart("2026-12-19 12", &expected, &problem));
  EXPECT_DOUBLE_EQ(s.replay.start->value, expected.value);
  EXPECT_EQ(s.replay.start->status, 0);
  EXPECT_EQ(s.replay.ownCall, std::optional<std::string>("UT9ZZQ"));
  EXPECT_EQ(s.replay.ownMultCode, std::optional<std::string>(""));  // given empty
  EXPECT_EQ(s.replay.ownGroupCode, std::optional<std::string>("G3"));
  EXPECT_TRUE(s.replay.skipBad);
  EXPECT_EQ(s.replay.fields.multField, "APP_UT_MULT");
  EXPECT_EQ(s.replay.fields.groupField, "APP_UT_GROUP");
  EXPECT_TRUE(s.replay.cabrillo);
  EXPECT_FALSE(s.groupMapPath.has_value());
  const Parsed mapped = Parse({"score", "log.cbr", "--group-map", "groups.txt"});
  ASSERT_EQ(mapped.status, -1) << mapped.err;
  EXPECT_EQ(mapped.line.score.groupMapPath, std::optional<std::string>("groups.txt"));
}

TEST(LogreplayCliTest, DecoratedNamesOnlyWhereTheyExist) {
  const Parsed p = Parse({"score", "log.adi", "--decorated"});
  if (kDecoratedNamesExist) {
    ASSERT_EQ(p.status, -1) << p.err;
    EXPECT_EQ(p.line.score.names, ExportNames::kDecorated);
  } else {
    EXPECT_EQ(p.status, kExitBadInput);
    EXPECT_EQ(p.err.rfind("logreplay: --decorated: ", 0), 0u) << p.err;
    EXPECT_NE(p.err.find("Stats.dll"), std::string::npos) << p.err;
  }
}

TEST(LogreplayCliTest, UsageErrorsGiveStatusTwoAndAMessage) {
  const struct {
    std::vector<const char*> args;
    const char* fragment;
  } cases[] = {
      {{}, "subcommand"},
      {{"score"}, "LOG"},
      {{"score", "a.adi", "b.adi"}, "b.adi"},
      {{"score", "a.adi", "--start", "2026-12-19"}, "--start"},
      {{"score", "a.adi", "--start", "2026-12-19 24"}, "0-23"},
      {{"score", "a.adi", "--start", "2026-02-30 12"}, "no such day"},
      {{"score", "a.adi", "--own-call"}, "--own-call"},
      {{"score", "a.adi", "--frequency", "7"}, "--frequency"},
      {{"replay", "a.adi"}, "replay"},
      {{"score", "a.adi", "--group-map", "g.txt", "--group-field", "APP_G"}, "excludes"},
  };
  for (const auto& c : cases) {
    const Parsed p = Parse(c.args);
    EXPECT_EQ(p.status, kExitBadInput) << p.err;
    EXPECT_EQ(p.err.rfind("logreplay: ", 0), 0u) << p.err;
    EXPECT_NE(p.err.find(c.fragment), std::string::npos) << p.err;
    EXPECT_EQ(p.out, "");
  }
}

TEST(LogreplayCliTest, HelpListsEveryOptionWithAnExample) {
  for (const auto& args :
       {std::vector<const char*>{"--help"}, std::vector<const char*>{"score", "--help"}}) {
    const Parsed p = Parse(args);
    EXPECT_EQ(p.status, kExitOk);
    EXPECT_EQ(p.err, "");
    for (const char* example :
         {"e.g. --plugin build/native/libStats.so", "e.g. --start \"2026-12-19 12\"",
          "e.g. --own-call UT9ZZQ", "e.g. --own-mult KI", "e.g. --own-group G3",
          "e.g. --mult-field APP_UT_MULT", "e.g. --group-field APP_UT_GROUP", "e.g. --cabrillo",
          "e.g. --skip-bad", "e.g. --decorated", "e.g. --group-map groups.txt",
          "logreplay score examples/sample.adi", kCabrilloMappingTable, kAdifMappingTable}) {
      EXPECT_NE(p.out.find(example), std::string::npos) << example << "\n" << p.out;
    }
    EXPECT_EQ(p.out.find("dump"), std::string::npos) << "the dump command is internal";
  }
}

TEST(LogreplayCliTest, VersionPrintsNameAndVersion) {
  const Parsed p = Parse({"--version"});
  EXPECT_EQ(p.status, kExitOk) << p.err;
  EXPECT_EQ(p.err, "");
  EXPECT_TRUE(std::regex_match(p.out, std::regex("logreplay [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << p.out;
}

TEST(LogreplayCliTest, DumpTakesALog) {
  const Parsed p = Parse({"dump", "log.adi"});
  ASSERT_EQ(p.status, -1) << p.err;
  EXPECT_EQ(p.line.command, CommandLine::kDump);
  EXPECT_EQ(p.line.score.logPath, "log.adi");
}

TEST(LogreplayCliTest, PathsWithSlashesAreNoOptions) {
  const Parsed p = Parse({"score", "/logs/a.adi", "--plugin", "/p/Stats.dll"});
  ASSERT_EQ(p.status, -1) << p.err;
  EXPECT_EQ(p.line.score.logPath, "/logs/a.adi");
  EXPECT_EQ(p.line.score.pluginPath, "/p/Stats.dll");
  const Parsed dump = Parse({"dump", "/logs/a.adi"});
  ASSERT_EQ(dump.status, -1) << dump.err;
  EXPECT_EQ(dump.line.score.logPath, "/logs/a.adi");
}

}  // namespace
}  // namespace tools
