// Every system call of a file service failing in turn, through the call
// table: a replacement that fails leaves the old file byte for byte (or no
// file, when there was none) and says so, an interrupted call is restarted,
// and no temporary file is left behind. The cases are those of every
// system (file_fault_cases.h); what only POSIX has, pipes and EINTR, is
// here.

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/file_fault_cases.h"
#include "platform/plugin/file_writer.h"
#include "platform/calls/posix_calls.h"
#include "tests/test_support.h"

namespace platform {

unsigned ProtectionOf(const char* path) {
  struct stat info {};
  stat(path, &info);
  return info.st_mode & 07777;
}

void GiveUnusualProtection(const char* path) { chmod(path, 0666); }

unsigned NewFileProtection() { return 0664; }

namespace {

namespace fs = std::filesystem;
using testing_support::WriteFile;

// The calls of SystemCalls() for its lifetime: each is recorded and
// forwarded to the real one, except the one that fails with errno set.
class FaultCalls : public CallRecord {
 public:
  FaultCalls() {
    m_active = this;
    PosixCalls& calls = SystemCalls();
#define FORWARD(entry)                                                          \
  calls.entry = [](auto... args) -> decltype(RealPosixCalls().entry(args...)) { \
    if (m_active->FailsWithErrno(#entry)) return -1;                            \
    return RealPosixCalls().entry(args...);                                     \
  }
    calls.open = [](const char* path, int flags, mode_t mode) -> int {
      if ((flags & O_CREAT) != 0 && m_active->beforeCreate) m_active->beforeCreate(path);
      if (m_active->FailsWithErrno("open")) return -1;
      return RealPosixCalls().open(path, flags, mode);
    };
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
      if (m_active->FailsWithErrno("write")) return -1;
      return RealPosixCalls().write(fd, buffer, std::min(size, m_active->writeLimit));
    };
  }
  ~FaultCalls() {
    SystemCalls() = RealPosixCalls();
    m_active = nullptr;
  }

 private:
  bool FailsWithErrno(const char* name) {
    if (!Fails(name)) return false;
    errno = failError;
    return true;
  }

  static FaultCalls* m_active;
};

FaultCalls* FaultCalls::m_active = nullptr;

// The umask 002 would strip the others' write bit of a 0666 file: only the
// writer's fchmod keeps it. A new file gets 0666 less the umask, 0664, and
// nothing narrower.
class PosixFileFaultsTest : public FileFaultsTest {
 protected:
  void SetUp() override { m_umask = umask(002); }
  void TearDown() override { umask(m_umask); }

  mode_t m_umask = 0;
};

TEST_F(PosixFileFaultsTest, EachFailingCallKeepsTheOldFileWhole) {
  const std::string restarted[] = {"open", "read", "pread", "write", "fsync"};
  for (const Replacement& r : kReplacements) {
    SCOPED_TRACE(r.what);
    FaultCalls faults;
    std::vector<std::string> trace;
    std::size_t rename = 0;
    ExpectEachFailureKeepsTheFileWhole(
        faults, r, {EIO, EINTR},
        [&](std::size_t step, const std::string& name, int error) {
          rename = std::find(trace.begin(), trace.end(), "rename") - trace.begin();
          const bool isRestarted =
              std::find(std::begin(restarted), std::end(restarted), name) != std::end(restarted);
          return step > rename || (error == EINTR && isRestarted);
        },
        &trace);
    EXPECT_TRUE(FlushedBeforeRename(trace, "write", "fsync", "rename"))
        << "the new bytes are on the disk before the rename";
    const auto renamed = std::find(trace.begin(), trace.end(), "rename");
    ASSERT_NE(renamed, trace.end());
    EXPECT_NE(std::find(renamed, trace.end(), "fsync"), trace.end())
        << "the folder is flushed after the rename";
  }
}

TEST_F(PosixFileFaultsTest, ReadOnlyLogIsKept) {
  FaultCalls faults;
  std::vector<std::string> refusal;
  ExpectReadOnlyLogKept(faults, &refusal);
  EXPECT_EQ(refusal, std::vector<std::string>{"stat"}) << "refused before anything is made";
}

// A rename over anything but a regular file would put a file in its place
// (as root, over /dev/full): nothing is written, and the result says so.
TEST_F(PosixFileFaultsTest, OnlyARegularFileIsReplaced) {
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

// The temporary file is created, never opened: a link at its name is
// not followed, to a file or to none yet.
TEST_F(PosixFileFaultsTest, PlantedAtTheTemporaryNameIsLeftAlone) {
  FaultCalls faults;
  ExpectPlantingsUntouched(faults, {kPlantedFile,
                                    {"link to a file",
                                     [](const std::string& path) {
                                       WriteFile("victim", "victim\r\n");
                                       fs::create_symlink("victim", path);
                                     }},
                                    {"link to no file yet", [](const std::string& path) {
                                       fs::create_symlink("victim", path);
                                     }}});
}

// The error report's calls: the probe of an accepted QSO is a single call,
// and a failure is reported, never retried without end.
TEST_F(PosixFileFaultsTest, AppenderProbesWithOneCallAndReportsFailures) {
  FileAppender& files = SystemFileAppender();
  WriteFile("err.txt", "head\r\n");
  FaultCalls faults;
  EXPECT_TRUE(files.Exists("err.txt"));
  EXPECT_FALSE(files.Exists("missing.txt"));
  EXPECT_EQ(faults.names, (std::vector<std::string>{"stat", "stat"}));
  ExpectAppendsReportFailures(faults, {EIO, EINTR}, [](const std::string& name, int error) {
    return error == EINTR && name != "close";
  });
}

}  // namespace
}  // namespace platform
