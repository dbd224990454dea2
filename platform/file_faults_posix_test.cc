// Every system call of a file service failing in turn, through the call
// table: a replacement that fails leaves the old file byte for byte (or no
// file, when there was none) and says so, an interrupted call is restarted,
// and no temporary file is left behind.

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_appender.h"
#include "platform/file_writer.h"
#include "platform/posix_calls.h"
#include "platform/settings_file.h"
#include "tests/test_support.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::WriteFile;

// The calls of SystemCalls() for its lifetime: each is recorded by name and
// forwarded to the real one, except the call at `failStep` (counting from
// 0), which fails with `failError`; writes take at most `writeLimit` bytes.
class FaultCalls {
 public:
  FaultCalls() {
    m_active = this;
    PosixCalls& calls = SystemCalls();
#define FORWARD(entry)                                                          \
  calls.entry = [](auto... args) -> decltype(RealPosixCalls().entry(args...)) { \
    if (m_active->Fails(#entry)) return -1;                                     \
    return RealPosixCalls().entry(args...);                                     \
  }
    FORWARD(open);
    FORWARD(close);
    FORWARD(read);
    FORWARD(pread);
    FORWARD(fstat);
    FORWARD(stat);
    FORWARD(access);
    FORWARD(fchmod);
    FORWARD(fsync);
    FORWARD(rename);
    FORWARD(unlink);
#undef FORWARD
    calls.write = [](int fd, const void* buffer, std::size_t size) -> ssize_t {
      if (m_active->Fails("write")) return -1;
      return RealPosixCalls().write(fd, buffer, std::min(size, m_active->writeLimit));
    };
  }
  ~FaultCalls() {
    SystemCalls() = RealPosixCalls();
    m_active = nullptr;
  }

  std::vector<std::string> names;
  std::size_t failStep = static_cast<std::size_t>(-1);
  int failError = 0;
  std::size_t writeLimit = static_cast<std::size_t>(-1);

 private:
  bool Fails(const char* name) {
    names.push_back(name);
    if (names.size() - 1 != failStep) return false;
    errno = failError;
    return true;
  }

  static FaultCalls* m_active;
};

FaultCalls* FaultCalls::m_active = nullptr;

mode_t ModeOf(const char* path) {
  struct stat info {};
  stat(path, &info);
  return info.st_mode & 07777;
}

// Names in the current folder and in Plugins, sorted.
std::vector<std::string> Entries() {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(".")) {
    names.push_back(entry.path().lexically_relative(".").string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A file replaced through the writer or the settings file, and the bytes it
// must hold after a success. `before` is null where the file is new.
struct Replacement {
  const char* what;
  const char* path;
  const char* before;
  std::string after;
  std::function<bool()> run;
};

const char kNewLog[] = "START-OF-LOG: 3.0\r\nnew and longer\r\n";

const Replacement kReplacements[] = {
    {"Cabrillo log replaced", "UT1AA.cbr", "START-OF-LOG: 3.0\r\nold\r\n", kNewLog,
     [] { return SystemFileWriter().ReplaceWhole("UT1AA.cbr", kNewLog); }},
    {"Cabrillo log created", "UT1AA.cbr", nullptr, kNewLog,
     [] { return SystemFileWriter().ReplaceWhole("UT1AA.cbr", kNewLog); }},
    {"settings file updated", "Plugins/TAVIN.ini", "; kept\r\n[Settings]\r\nClaimed=1\r\n",
     "; kept\r\n[Settings]\r\nClaimed=2345\r\n",
     [] {
       return SystemSettingsFile().Write("Plugins\\TAVIN.ini", "Settings", "Claimed", "2345");
     }},
};

class FileFaultsTest : public ::testing::Test {
 protected:
  // Sets up the folder of `r` afresh and runs it under `faults`.
  bool RunFresh(const Replacement& r, FaultCalls& faults) {
    fs::remove_all("Plugins");
    fs::remove(r.path);
    fs::create_directory("Plugins");
    if (r.before != nullptr) {
      WriteFile(r.path, r.before);
      fs::permissions(r.path, fs::perms(0640));
    }
    faults.names.clear();
    return r.run();
  }

  // What a replacement that reported `ok` must have left.
  void ExpectWholeFile(const Replacement& r, bool ok, const std::vector<std::string>& clean) {
    if (ok) {
      EXPECT_EQ(ReadFile(r.path), r.after);
      if (r.before != nullptr) {
        EXPECT_EQ(ModeOf(r.path), 0640u);
      }
    } else if (r.before != nullptr) {
      EXPECT_EQ(ReadFile(r.path), r.before);
      EXPECT_EQ(ModeOf(r.path), 0640u);
    } else {
      EXPECT_FALSE(fs::exists(r.path));
    }
    std::vector<std::string> expected = clean;
    if (!ok && r.before == nullptr) {
      expected.erase(std::find(expected.begin(), expected.end(), r.path));
    }
    EXPECT_EQ(Entries(), expected) << "no temporary file left";
  }

  testing_support::ScopedWorkDir m_dir;
};

TEST_F(FileFaultsTest, EachFailingCallKeepsTheOldFileWhole) {
  const std::string restarted[] = {"open", "read", "pread", "write", "fsync"};
  for (const Replacement& r : kReplacements) {
    SCOPED_TRACE(r.what);
    FaultCalls faults;
    ASSERT_TRUE(RunFresh(r, faults));
    const std::vector<std::string> trace = faults.names;
    const std::vector<std::string> clean = Entries();
    const std::size_t rename = std::find(trace.begin(), trace.end(), "rename") - trace.begin();
    ASSERT_LT(rename, trace.size());
    ASSERT_NE(std::find(trace.begin() + rename, trace.end(), "fsync"), trace.end())
        << "the folder is flushed after the rename";

    for (std::size_t step = 0; step < trace.size(); ++step) {
      for (const int error : {EIO, EINTR}) {
        SCOPED_TRACE(std::to_string(step) + ": " + trace[step] + " fails with " +
                     std::strerror(error));
        faults.failStep = step;
        faults.failError = error;
        const bool ok = RunFresh(r, faults);
        ExpectWholeFile(r, ok, clean);
        const bool isRestarted = std::find(std::begin(restarted), std::end(restarted),
                                           trace[step]) != std::end(restarted);
        if (step > rename || (error == EINTR && isRestarted)) {
          EXPECT_TRUE(ok);
        } else {
          EXPECT_FALSE(ok);
        }
      }
    }
    faults.failStep = static_cast<std::size_t>(-1);
    faults.writeLimit = 1;
    ASSERT_TRUE(RunFresh(r, faults)) << "writes of one byte at a time";
    ExpectWholeFile(r, true, clean);
  }
}

// A rename over anything but a regular file would put a file in its place
// (as root, over /dev/full): nothing is written, and the result says so.
TEST_F(FileFaultsTest, OnlyARegularFileIsReplaced) {
  const struct {
    const char* what;
    std::function<void()> make;
  } cases[] = {
      {"folder", [] { fs::create_directory("UT1AA.cbr"); }},
      {"pipe", [] { ASSERT_EQ(mkfifo("UT1AA.cbr", 0600), 0); }},
      {"link to a pipe",
       [] {
         ASSERT_EQ(mkfifo("pipe", 0600), 0);
         fs::create_symlink("pipe", "UT1AA.cbr");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& name : Entries()) fs::remove_all(name);
    c.make();
    const std::vector<std::string> before = Entries();
    const fs::file_type type = fs::symlink_status("UT1AA.cbr").type();
    FaultCalls faults;
    EXPECT_FALSE(SystemFileWriter().ReplaceWhole("UT1AA.cbr", "x"));
    EXPECT_EQ(faults.names, std::vector<std::string>{"stat"});
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(fs::symlink_status("UT1AA.cbr").type(), type);
  }
}

// The error report's calls: the probe of an accepted QSO is a single call,
// and a failure is reported, never retried without end.
TEST_F(FileFaultsTest, AppenderProbesWithOneCallAndReportsFailures) {
  FileAppender& files = SystemFileAppender();
  WriteFile("err.txt", "head\r\n");
  FaultCalls faults;
  EXPECT_TRUE(files.Exists("err.txt"));
  EXPECT_FALSE(files.Exists("missing.txt"));
  EXPECT_EQ(faults.names, (std::vector<std::string>{"stat", "stat"}));

  const struct {
    const char* what;
    std::function<bool()> run;
    std::string clean;
  } cases[] = {
      {"append", [&] { return files.Append("err.txt", "line\r\n"); }, "head\r\nline\r\n"},
      {"create", [&] { return files.Create("err.txt", "new\r\n"); }, "new\r\n"},
  };
  for (const auto& c : cases) {
    for (std::size_t step = 0; step < 3; ++step) {
      for (const int error : {EIO, EINTR}) {
        SCOPED_TRACE(std::string(c.what) + " step " + std::to_string(step) + " " +
                     std::strerror(error));
        WriteFile("err.txt", "head\r\n");
        faults.names.clear();
        faults.failStep = step;
        faults.failError = error;
        const bool ok = c.run();
        if (error == EINTR && faults.names[step] != "close") {
          EXPECT_TRUE(ok);
          EXPECT_EQ(ReadFile("err.txt"), c.clean);
        } else {
          EXPECT_FALSE(ok);
        }
      }
    }
  }
}

}  // namespace
}  // namespace platform
