// Every Windows call of a file service failing in turn, through the call
// table: the cases of every system (file_fault_cases.h) against the Win32
// services. Nothing is restarted here, and nothing is called after the
// rename, so every failure is reported. The settings file is written by the
// system's profile call, whose own calls the table does not see: its case
// is that one call failing.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/file_fault_cases.h"
#include "platform/calls/win32_calls.h"
#include "tests/test_support.h"

namespace platform {

// Wine keeps the system attribute that SetFileAttributes gives, and the
// hidden one only from CreateFile.
unsigned ProtectionOf(const char* path) {
  return GetFileAttributesA(path) &
         (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
}

void GiveUnusualProtection(const char* path) {
  ASSERT_NE(SetFileAttributesA(path, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN), FALSE);
  ASSERT_NE(ProtectionOf(path) & FILE_ATTRIBUTE_SYSTEM, 0u);
}

unsigned NewFileProtection() { return 0; }

namespace {

// The calls of SystemCalls() for its lifetime: each is recorded and
// forwarded to the real one, except the one that fails, returning its
// call's failure value with the error set for GetLastError.
class FaultCalls : public CallRecord {
 public:
  FaultCalls() {
    m_active = this;
    Win32Calls& calls = SystemCalls();
#define FORWARD(entry, failure)                                                 \
  calls.entry = [](auto... args) -> decltype(RealWin32Calls().entry(args...)) { \
    if (m_active->Fails(#entry)) {                                              \
      SetLastError(static_cast<DWORD>(m_active->failError));                    \
      return failure;                                                           \
    }                                                                           \
    return RealWin32Calls().entry(args...);                                     \
  }
    calls.createFileA = [](LPCSTR path, DWORD access, DWORD share, DWORD disposition,
                           DWORD flags) -> HANDLE {
      if (disposition != OPEN_EXISTING && m_active->beforeCreate) m_active->beforeCreate(path);
      if (m_active->Fails("createFileA")) {
        SetLastError(static_cast<DWORD>(m_active->failError));
        return INVALID_HANDLE_VALUE;
      }
      return RealWin32Calls().createFileA(path, access, share, disposition, flags);
    };
    FORWARD(createFileW, INVALID_HANDLE_VALUE);
    FORWARD(flushFileBuffers, FALSE);
    FORWARD(getFileType, FILE_TYPE_UNKNOWN);
    FORWARD(getFileInformationByHandle, FALSE);
    FORWARD(getFileAttributesA, INVALID_FILE_ATTRIBUTES);
    FORWARD(moveFileExA, FALSE);
    FORWARD(moveFileExW, FALSE);
    FORWARD(deleteFileA, FALSE);
    FORWARD(deleteFileW, FALSE);
    FORWARD(writePrivateProfileStringA, FALSE);
#undef FORWARD
    // A handle whose close fails is released all the same, as a close
    // that reports a late write error releases it.
    calls.closeHandle = [](HANDLE handle) -> BOOL {
      const bool fails = m_active->Fails("closeHandle");
      const BOOL closed = RealWin32Calls().closeHandle(handle);
      if (!fails) return closed;
      SetLastError(static_cast<DWORD>(m_active->failError));
      return FALSE;
    };
    calls.writeFile = [](HANDLE file, const void* buffer, DWORD size, DWORD* written) -> BOOL {
      if (m_active->Fails("writeFile")) {
        SetLastError(static_cast<DWORD>(m_active->failError));
        return FALSE;
      }
      const DWORD limit = static_cast<DWORD>(std::min<std::size_t>(size, m_active->writeLimit));
      return RealWin32Calls().writeFile(file, buffer, limit, written);
    };
  }
  ~FaultCalls() {
    SystemCalls() = RealWin32Calls();
    m_active = nullptr;
  }

 private:
  static FaultCalls* m_active;
};

FaultCalls* FaultCalls::m_active = nullptr;

using Win32FileFaultsTest = FileFaultsTest;

TEST_F(Win32FileFaultsTest, EachFailingCallKeepsTheOldFileWhole) {
  for (const Replacement& r : kReplacements) {
    SCOPED_TRACE(r.what);
    FaultCalls faults;
    std::vector<std::string> trace;
    ExpectEachFailureKeepsTheFileWhole(
        faults, r, {ERROR_ACCESS_DENIED, ERROR_DISK_FULL},
        [](std::size_t, const std::string&, int) { return false; }, &trace);
    ASSERT_FALSE(trace.empty());
    if (trace != std::vector<std::string>{"writePrivateProfileStringA"}) {
      // The host's names go through the ANSI calls, the tools' UTF-8 names
      // through the wide ones.
      const char* rename = std::count(trace.begin(), trace.end(), "createFileW") != 0
                               ? "moveFileExW"
                               : "moveFileExA";
      EXPECT_TRUE(FlushedBeforeRename(trace, "writeFile", "flushFileBuffers", rename))
          << "the new bytes are on the disk before the rename";
      EXPECT_EQ(trace.back(), rename) << "nothing can fail after the rename";
    }
  }
}

TEST_F(Win32FileFaultsTest, ReadOnlyLogIsKept) {
  FaultCalls faults;
  std::vector<std::string> refusal;
  ExpectReadOnlyLogKept(faults, &refusal);
  EXPECT_EQ(refusal, (std::vector<std::string>{"createFileA", "getFileType",
                                               "getFileInformationByHandle", "closeHandle"}))
      << "refused before anything is made";
}

// The temporary file is created, never opened: a file at its name stays.
TEST_F(Win32FileFaultsTest, PlantedAtTheTemporaryNameIsLeftAlone) {
  FaultCalls faults;
  ExpectPlantingsUntouched(faults, {kPlantedFile});
}

// The error report's calls: the probe of an accepted QSO is a single call,
// and a failure is reported.
TEST_F(Win32FileFaultsTest, AppenderProbesWithOneCallAndReportsFailures) {
  FileAppender& files = SystemFileAppender();
  testing_support::WriteFile("err.txt", kAppendedBefore);
  FaultCalls faults;
  EXPECT_TRUE(files.Exists("err.txt"));
  EXPECT_FALSE(files.Exists("missing.txt"));
  EXPECT_EQ(faults.names, (std::vector<std::string>{"getFileAttributesA", "getFileAttributesA"}));
  ExpectAppendsReportFailures(faults, {ERROR_ACCESS_DENIED, ERROR_DISK_FULL},
                              [](const std::string&, int) { return false; });
}

}  // namespace
}  // namespace platform
