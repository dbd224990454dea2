#pragma once

// The cases of the file services' fault tables, the same on every system:
// each system's test (file_faults_posix_test.cc, file_faults_win32_test.cc)
// replaces the entries of its call table with ones that record each call
// and fail a chosen one, and runs these cases through them. What the cases
// need of the system's own rules, a file's protection bits and what the
// umask strips, each test defines beside its table.

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/plugin/file_appender.h"
#include "platform/plugin/file_writer.h"
#include "platform/plugin/settings_file.h"
#include "platform/tools/utf8_files.h"
#include "tests/test_support.h"

namespace platform {

// What a test's replacement of the call table does: records every call by
// the name of its entry and fails the one at `failStep` (counting from 0)
// with the system's error `failError`; writes take at most `writeLimit`
// bytes each. Each call that may create a file (POSIX: open with O_CREAT;
// Windows: createFileA to create) first hands its path to `beforeCreate`,
// when set.
struct CallRecord {
  std::vector<std::string> names;
  std::size_t failStep = static_cast<std::size_t>(-1);
  int failError = 0;
  std::size_t writeLimit = static_cast<std::size_t>(-1);
  std::function<void(const std::string& path)> beforeCreate;

  // Records the call `name`: true when it is the one to fail.
  bool Fails(const char* name) {
    names.push_back(name);
    return names.size() - 1 == failStep;
  }
};

// Each system's test defines these for a file at `path`: its protection,
// as a number to compare (the permission bits; the attributes), and a
// protection that the system would not give a new file by itself (a 0666
// file under the umask 002; the hidden and system attributes); and the
// protection a new file gets (0666 less the umask 002: 0664; no attribute).
unsigned ProtectionOf(const char* path);
void GiveUnusualProtection(const char* path);
unsigned NewFileProtection();

// A file replaced through the writer or the settings file, and the bytes it
// must hold after a success. `before` is null where the file is new.
struct Replacement {
  const char* what;
  const char* path;
  const char* before;
  std::string after;
  std::function<bool()> run;
};

inline constexpr char kNewLog[] = "START-OF-LOG: 3.0\r\nnew and longer\r\n";
// A log's name of 250 bytes: within the limit of 255, while its name with
// anything added for a temporary file may not be.
inline const std::string kLongLogName = std::string(246, 'T') + ".cbr";

inline const Replacement kReplacements[] = {
    {"Cabrillo log replaced", "UT1AA.cbr", "START-OF-LOG: 3.0\r\nold\r\n", kNewLog,
     [] { return SystemFileWriter().ReplaceWhole("UT1AA.cbr", kNewLog); }},
    {"Cabrillo log created", "UT1AA.cbr", nullptr, kNewLog,
     [] { return SystemFileWriter().ReplaceWhole("UT1AA.cbr", kNewLog); }},
    {"Cabrillo log of a 250-byte name created", kLongLogName.c_str(), nullptr, kNewLog,
     [] { return SystemFileWriter().ReplaceWhole(kLongLogName, kNewLog); }},
    {"settings file updated", "Plugins/TAVIN.ini", "; kept\r\n[Settings]\r\nClaimed=1\r\n",
     "; kept\r\n[Settings]\r\nClaimed=2345\r\n",
     [] {
       return SystemSettingsFile().Write("Plugins\\TAVIN.ini", "Settings", "Claimed", "2345");
     }},
    {"page replaced through its UTF-8 name", "report.html", "<p>old</p>\n",
     "<p>new and longer</p>\n",
     [] { return Utf8FileWriter().ReplaceWhole("report.html", "<p>new and longer</p>\n"); }},
};

// Lines written to the error report, and what the file holds after a
// success; before each it holds kAppendedBefore. A failed append leaves the
// old bytes or the new ones; a failed create may have emptied the file.
inline constexpr char kAppendedBefore[] = "head\r\n";
struct Appending {
  const char* what;
  std::function<bool()> run;
  std::string after;
  bool keepsOldBytes;
};
inline const Appending kAppendings[] = {
    {"append", [] { return SystemFileAppender().Append("err.txt", "line\r\n"); },
     "head\r\nline\r\n", true},
    {"create", [] { return SystemFileAppender().Create("err.txt", "new\r\n"); }, "new\r\n", false},
};

// Something put at the name of the writer's temporary file just before the
// writer creates it there: another process's file, or a link an attacker
// planted to have a file elsewhere written.
struct Planting {
  const char* what;
  std::function<void(const std::string& path)> plant;
};
inline const Planting kPlantedFile = {
    "file", [](const std::string& path) { testing_support::WriteFile(path, "planted\r\n"); }};

// Names in the current folder and in the folders below it, sorted.
inline std::vector<std::string> Entries() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(".")) {
    names.push_back(entry.path().lexically_relative(".").generic_string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Whether `trace` has a `flush` after its last `write` and before its first
// `rename`: the new bytes are on the disk before the name points at them.
inline bool FlushedBeforeRename(const std::vector<std::string>& trace, const char* write,
                                const char* flush, const char* rename) {
  const auto renamed = std::find(trace.begin(), trace.end(), rename);
  const auto lastWrite = std::find(trace.rbegin(), trace.rend(), write).base();
  return lastWrite != trace.begin() && lastWrite <= renamed &&
         std::find(lastWrite, renamed, flush) != renamed;
}

// Every entry below the current folder, with what it holds: a file's
// bytes, where a link points, or that it is a folder.
inline std::map<std::string, std::string> FolderContents() {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> contents;
  for (const std::string& name : Entries()) {
    const fs::file_status status = fs::symlink_status(name);
    if (fs::is_symlink(status)) {
      contents[name] = "link to " + fs::read_symlink(name).generic_string();
    } else if (fs::is_directory(status)) {
      contents[name] = "folder";
    } else {
      contents[name] = "file " + testing_support::ReadFile(name);
    }
  }
  return contents;
}

class FileFaultsTest : public ::testing::Test {
 protected:
  // Sets up the folder of `r` afresh, the old file with an unusual
  // protection, and runs `r` while `calls` records.
  bool RunFresh(const Replacement& r, CallRecord& calls) {
    std::filesystem::remove_all("Plugins");
    std::filesystem::remove(r.path);
    std::filesystem::create_directory("Plugins");
    if (r.before != nullptr) {
      testing_support::WriteFile(r.path, r.before);
      GiveUnusualProtection(r.path);
      m_protection = ProtectionOf(r.path);
    }
    calls.names.clear();
    return r.run();
  }

  // What a replacement that reported `ok` must have left: the new bytes or
  // the old ones (or no file), the old file's protection, and the folder's
  // entries of a clean run, no temporary file among them.
  void ExpectWholeFile(const Replacement& r, bool ok, const std::vector<std::string>& clean) {
    if (ok) {
      EXPECT_EQ(testing_support::ReadFile(r.path), r.after);
    } else if (r.before != nullptr) {
      EXPECT_EQ(testing_support::ReadFile(r.path), r.before);
    } else {
      EXPECT_FALSE(std::filesystem::exists(r.path));
    }
    if (r.before != nullptr) {
      EXPECT_EQ(ProtectionOf(r.path), m_protection) << "the old file's protection is kept";
    } else if (ok) {
      EXPECT_EQ(ProtectionOf(r.path), NewFileProtection()) << "as the system gives a new file";
    }
    std::vector<std::string> expected = clean;
    if (!ok && r.before == nullptr) {
      expected.erase(std::find(expected.begin(), expected.end(), r.path));
    }
    EXPECT_EQ(Entries(), expected) << "no temporary file left";
  }

  // `r` run cleanly, its calls left in `trace`; then each of those calls
  // failing in turn with each of `errors`. Whatever fails, the file is
  // whole (see ExpectWholeFile), and the result is false unless `survives`
  // says the replacement rides that failure out (a call after the rename, a
  // call the service restarts). Last, writes of one byte at a time still
  // give the whole file.
  void ExpectEachFailureKeepsTheFileWhole(
      CallRecord& calls, const Replacement& r, const std::vector<int>& errors,
      const std::function<bool(std::size_t step, const std::string& name, int error)>& survives,
      std::vector<std::string>* trace) {
    calls.failStep = static_cast<std::size_t>(-1);
    ASSERT_TRUE(RunFresh(r, calls));
    *trace = calls.names;
    const std::vector<std::string> clean = Entries();
    ExpectWholeFile(r, true, clean);
    for (std::size_t step = 0; step < trace->size(); ++step) {
      for (const int error : errors) {
        SCOPED_TRACE(std::to_string(step) + ": " + (*trace)[step] + " fails with " +
                     std::to_string(error));
        calls.failStep = step;
        calls.failError = error;
        const bool ok = RunFresh(r, calls);
        ExpectWholeFile(r, ok, clean);
        EXPECT_EQ(ok, survives(step, (*trace)[step], error));
      }
    }
    calls.failStep = static_cast<std::size_t>(-1);
    calls.writeLimit = 1;
    EXPECT_TRUE(RunFresh(r, calls)) << "writes of one byte at a time";
    ExpectWholeFile(r, true, clean);
    calls.writeLimit = static_cast<std::size_t>(-1);
  }

  // A read-only Cabrillo log is kept as it is, whoever runs the writer:
  // Windows refuses to replace it, and so does every system here. The calls
  // of the refused replacement are left in `refusal`.
  void ExpectReadOnlyLogKept(CallRecord& calls, std::vector<std::string>* refusal) {
    testing_support::WriteFile("UT1AA.cbr", "old log\r\n");
    namespace fs = std::filesystem;
    fs::permissions("UT1AA.cbr",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::vector<std::string> before = Entries();
    calls.names.clear();
    EXPECT_FALSE(SystemFileWriter().ReplaceWhole("UT1AA.cbr", kNewLog));
    *refusal = calls.names;
    EXPECT_TRUE(SystemFileWriter().Replaces("UT1AA.cbr")) << "a file all the same";
    EXPECT_EQ(testing_support::ReadFile("UT1AA.cbr"), "old log\r\n");
    EXPECT_EQ(Entries(), before) << "no temporary file made";
    fs::permissions("UT1AA.cbr", fs::perms::owner_write, fs::perm_options::add);
  }

  // Each of `plantings` put at the name of the temporary file as the writer
  // creates it: the writer leaves it as it is (a link's target too) and
  // writes the log through another name.
  void ExpectPlantingsUntouched(CallRecord& calls, const std::vector<Planting>& plantings) {
    for (const Planting& p : plantings) {
      SCOPED_TRACE(p.what);
      for (const std::string& name : Entries()) std::filesystem::remove_all(name);
      testing_support::WriteFile("UT1AA.cbr", "old log\r\n");
      std::map<std::string, std::string> planted;
      calls.beforeCreate = [&](const std::string& path) {
        if (!planted.empty()) return;
        p.plant(path);
        planted = FolderContents();
      };
      const bool ok = SystemFileWriter().ReplaceWhole("UT1AA.cbr", kNewLog);
      calls.beforeCreate = nullptr;
      ASSERT_FALSE(planted.empty()) << "the writer created no file";
      EXPECT_TRUE(ok) << "another name is taken";
      planted["UT1AA.cbr"] = std::string("file ") + kNewLog;
      EXPECT_EQ(FolderContents(), planted);
    }
  }

  // Each call of an error report's append failing in turn with each of
  // `errors`: the failure is reported, unless `ridesOut` says the service
  // restarts that call, and the file holds the old bytes or the new ones.
  void ExpectAppendsReportFailures(CallRecord& calls, const std::vector<int>& errors,
                                   const std::function<bool(const std::string&, int)>& ridesOut) {
    for (const Appending& a : kAppendings) {
      testing_support::WriteFile("err.txt", kAppendedBefore);
      calls.names.clear();
      ASSERT_TRUE(a.run());
      const std::vector<std::string> trace = calls.names;
      for (std::size_t step = 0; step < trace.size(); ++step) {
        for (const int error : errors) {
          SCOPED_TRACE(std::string(a.what) + " step " + std::to_string(step) + ": " + trace[step] +
                       " fails with " + std::to_string(error));
          testing_support::WriteFile("err.txt", kAppendedBefore);
          calls.names.clear();
          calls.failStep = step;
          calls.failError = error;
          const bool ok = a.run();
          const std::string now = testing_support::ReadFile("err.txt");
          if (ridesOut(trace[step], error)) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(now, a.after);
          } else {
            EXPECT_FALSE(ok);
            if (a.keepsOldBytes) {
              EXPECT_TRUE(now == kAppendedBefore || now == a.after) << now;
            }
          }
        }
      }
      calls.failStep = static_cast<std::size_t>(-1);
    }
  }

  testing_support::ScopedWorkDir m_dir;
  unsigned m_protection = 0;
};

}  // namespace platform
