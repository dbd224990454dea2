// File faults that only POSIX systems can set up, through the exports: a
// settings file on a device that never ends, files and folders that the
// operator may not write, and settings files with odd line ends, long lines
// and garbage. The tests run as root in CI, where permission bits do not
// bind: read-only cases run in a child process that has dropped to the user
// nobody. A call failing at each step of a file replacement is the subject
// of platform/plugin/file_faults_posix_test.cc.

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/fault_scenario.h"
#include "tests/test_support.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

const char kSettings[] = "Plugins/TAVIN.ini";
const uid_t kNobody = 65534;

std::string Encode(const ResultsOutcome& outcome) {
  return std::to_string(outcome.score) + "\n" + outcome.notice + "\n" + outcome.text;
}

ResultsOutcome Decode(const std::string& bytes) {
  ResultsOutcome outcome;
  const std::size_t first = bytes.find('\n');
  const std::size_t second = bytes.find('\n', first + 1);
  if (first == std::string::npos || second == std::string::npos) return outcome;
  outcome.score = std::atoi(bytes.substr(0, first).c_str());
  outcome.notice = bytes.substr(first + 1, second - first - 1);
  outcome.text = bytes.substr(second + 1);
  return outcome;
}

// Runs `body` in a child process without root's rights (user and group
// nobody) and returns what it returned; a child that does not finish well
// fails the test. Without root the child keeps the current user, whose
// permission bits bind already.
std::string RunUnprivileged(const std::function<std::string()>& body) {
  int fds[2];
  if (pipe(fds) != 0) {
    ADD_FAILURE() << "pipe";
    return "";
  }
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(3);
    }
    const std::string out = body();
    std::size_t done = 0;
    while (done < out.size()) {
      const ssize_t n = write(fds[1], out.data() + done, out.size() - done);
      if (n <= 0) _exit(4);
      done += static_cast<std::size_t>(n);
    }
    _exit(0);
  }
  close(fds[1]);
  std::string out;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, n);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
  return out;
}

// "Score:  = N" of a results text.
std::string ScoreOf(const std::string& results) {
  const std::size_t at = results.find("Score:  = ");
  if (at == std::string::npos) return "?";
  return std::to_string(std::atoi(results.c_str() + at + 10));
}

using FaultsTest = FaultTest;

// The ground the read-only cases stand on: the child cannot write into a
// folder of root's, where root could.
TEST_F(FaultsTest, UnprivilegedChildIsBoundByPermissions) {
  fs::permissions(".", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
  const std::string out = RunUnprivileged([] {
    const int fd = open("probe", O_WRONLY | O_CREAT, 0666);
    return std::string(fd < 0 ? "refused" : "written");
  });
  EXPECT_EQ(out, "refused");
  EXPECT_FALSE(fs::exists("probe"));
}

TEST_F(FaultsTest, SettingsFileOnAFullDevice) {
  if (!fs::is_character_file("/dev/full")) {
    GTEST_SKIP() << "/dev/full is not a character device on this system: no device that reads "
                    "without end to link the settings file to";
  }
  fs::create_directory("Plugins");
  fs::create_symlink("/dev/full", kSettings);
  testing_support::StartFaultLog(m_p, kFaultQsos);
  const ResultsOutcome got = testing_support::RequestResults(m_p);
  ExpectSameResults(got);
  EXPECT_EQ(got.notice, kFaultProduced);
  ExpectLogListsTheStore();
  EXPECT_EQ(fs::read_symlink(kSettings), "/dev/full");
}

TEST_F(FaultsTest, ReadOnlyErrorReportKeepsItsContent) {
  fs::create_directory("Plugins");
  WriteFile("err.txt", "previous report\r\n");
  fs::permissions("err.txt",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(".", fs::perms::all);
  fs::permissions("Plugins", fs::perms::all);
  const std::string out = RunUnprivileged([this] {
    testing_support::StartFaultLog(m_p, kFaultQsos);
    return Encode(testing_support::RequestResults(m_p));
  });
  const ResultsOutcome got = Decode(out);
  ExpectSameResults(got);
  EXPECT_EQ(got.notice, kFaultProduced);
  ExpectLogListsTheStore();
  EXPECT_EQ(ReadFile("err.txt"), "previous report\r\n");
}

// The settings file refuses the score both ways a file can be read-only:
// its own mode (which binds root too), and a file and folder of another
// user. Either way the previous file stays byte for byte.
TEST_F(FaultsTest, ReadOnlySettingsFileKeepsItsContent) {
  const std::string previous = "[Settings]\r\nName=Ivan\r\nClaimed=7\r\n";
  for (const bool asNobody : {false, true}) {
    SCOPED_TRACE(asNobody ? "another user's file" : "read-only mode");
    testing_support::ScopedWorkDir each;
    fs::create_directory("Plugins");
    WriteFile(kSettings, previous);
    ResultsOutcome got;
    if (asNobody) {
      fs::permissions(".", fs::perms::all);
      got = Decode(RunUnprivileged([this] {
        testing_support::StartFaultLog(m_p, kFaultQsos);
        return Encode(testing_support::RequestResults(m_p));
      }));
    } else {
      fs::permissions(kSettings,
                      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
      testing_support::StartFaultLog(m_p, kFaultQsos);
      got = testing_support::RequestResults(m_p);
    }
    ExpectSameResults(got);
    EXPECT_EQ(got.notice, kFaultProduced);
    ExpectLogListsTheStore();
    EXPECT_NE(ReadFile(kFaultLogFile).find("\r\nNAME: Ivan\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(kSettings), previous);
    EXPECT_EQ(testing_support::FolderEntries(),
              (std::vector<std::string>{"Plugins", kFaultLogFile, "err.txt"}));
    const std::vector<std::string> plugins = [] {
      std::vector<std::string> names;
      for (const auto& e : fs::directory_iterator("Plugins")) {
        names.push_back(e.path().filename().string());
      }
      return names;
    }();
    EXPECT_EQ(plugins, std::vector<std::string>{"TAVIN.ini"}) << "no temporary file";
  }
}

// A folder the operator may not write: the new log cannot be created, the
// notice says so, the previous log stays, and the store still holds every
// QSO, as a request from a writable folder shows.
TEST_F(FaultsTest, ReadOnlyFolderKeepsThePreviousLog) {
  fs::create_directory("Plugins");
  WriteFile(kFaultLogFile, "previous log\r\n");
  fs::create_directory("spare");
  fs::permissions("spare", fs::perms::all);
  const std::string out = RunUnprivileged([this] {
    testing_support::StartFaultLog(m_p, kFaultQsos);
    std::string both = Encode(testing_support::RequestResults(m_p));
    if (chdir("spare") != 0) return std::string("no spare folder");
    return both + '\0' + Encode(testing_support::RequestResults(m_p));
  });
  const std::size_t split = out.find('\0');
  ASSERT_NE(split, std::string::npos) << out;
  const ResultsOutcome faulted = Decode(out.substr(0, split));
  ExpectSameResults(faulted);
  EXPECT_EQ(faulted.notice, kFaultNotProduced);
  EXPECT_EQ(ReadFile(kFaultLogFile), "previous log\r\n");
  EXPECT_EQ(testing_support::FolderEntries(),
            (std::vector<std::string>{"Plugins", kFaultLogFile, "spare"}));

  const ResultsOutcome elsewhere = Decode(out.substr(split + 1));
  ExpectSameResults(elsewhere);
  EXPECT_EQ(elsewhere.notice, kFaultProduced);
  ExpectLogListsTheStore(std::string("spare/") + kFaultLogFile);
}

// Settings files another program wrote: the header reads what it can, the
// score goes in, and every other byte of the file stays where it was.
TEST_F(FaultsTest, OddSettingsFilesAreReadAndKept) {
  const std::string score = ScoreOf(m_reference.results.text);
  std::string garbage("\0\xff\xfe[Sett\0ings]\x80=\x81\r\x01\x02", 17);
  for (int i = 0; i < 300; ++i) garbage += static_cast<char>(1 + (i * 37) % 255);
  garbage += "tail";
  const std::string soapbox(100000, 'x');
  const std::string noKey(70000, 'y');
  const struct {
    const char* name;
    std::string before;
    std::string after;
    const char* headerLine;  // a line the log's header must hold, or null
  } cases[] = {
      {"garbage bytes", garbage, garbage + "\r\n[Settings]\r\nClaimed=" + score + "\r\n", nullptr},
      {"CR line ends", "[Settings]\rName=Ivan\rClaimed=1\rClub=UT Club\r",
       "[Settings]\rName=Ivan\rClaimed=" + score + "\r\nClub=UT Club\r", "CLUB: UT Club"},
      {"LF line ends", "[Settings]\nName=Ivan\nClaimed=1\nClub=UT Club\n",
       "[Settings]\nName=Ivan\nClaimed=" + score + "\r\nClub=UT Club\n", "CLUB: UT Club"},
      {"no final line end", "[Settings]\r\nName=Ivan",
       "[Settings]\r\nName=Ivan\r\nClaimed=" + score + "\r\n", "NAME: Ivan"},
      {"very long lines", "[Settings]\r\nSoapBox=" + soapbox + "\r\nName=Ivan\r\n" + noKey + "\r\n",
       "[Settings]\r\nSoapBox=" + soapbox + "\r\nName=Ivan\r\nClaimed=" + score + "\r\n" + noKey +
           "\r\n",
       "NAME: Ivan"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ScopedWorkDir each;
    fs::create_directory("Plugins");
    WriteFile(kSettings, c.before);
    testing_support::StartFaultLog(m_p, kFaultQsos);
    const ResultsOutcome got = testing_support::RequestResults(m_p);
    ExpectSameResults(got);
    EXPECT_EQ(got.notice, kFaultProduced);
    ExpectLogListsTheStore();
    EXPECT_TRUE(ReadFile(kSettings) == c.after) << "settings file changed beyond Claimed";
    if (c.headerLine != nullptr) {
      EXPECT_NE(ReadFile(kFaultLogFile).find(std::string("\r\n") + c.headerLine + "\r\n"),
                std::string::npos);
    }
  }
}

}  // namespace
}  // namespace testing_support
