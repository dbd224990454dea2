#include <sys/stat.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/plugin/message_box.h"
#include "platform/tools/background_task.h"
#include "platform/tools/operator_away.h"

namespace platform {
namespace {

// The file behind standard error, to tell whether it came back.
bool SameStandardError(const struct stat& before) {
  struct stat now;
  return fstat(2, &now) == 0 && now.st_dev == before.st_dev && now.st_ino == before.st_ino &&
         now.st_mode == before.st_mode;
}

// A notice with nobody to close it returns at once: a window closed by
// the answer on Windows (without it the test would wait for ever), a line
// on standard error elsewhere that is dropped. Standard error is the
// same file again afterwards.
TEST(OperatorAway, NoticesReturnAndStandardErrorComesBack) {
  struct stat before;
  ASSERT_EQ(fstat(2, &before), 0);
  for (int round = 0; round < 2; ++round) {
    const OperatorAway away;
    SystemMessageBox().Show(MessageBoxService::kNoOwner, "nobody reads this", "Output",
                            MessageBoxService::kOk | MessageBoxService::kIconInformation);
  }
  EXPECT_TRUE(SameStandardError(before));
}

TEST(BackgroundTask, WaitReturnsOnceTheWorkHasEnded) {
  for (int tasks = 1; tasks <= 3; ++tasks) {
    int done = 0;
    {
      BackgroundTask first([&] { ++done; });
      if (tasks >= 2) first.Wait();
      if (tasks == 3) first.Wait();  // idempotent
    }
    EXPECT_EQ(done, 1) << tasks;
  }
}

// Each half runs to its end once; a half that throws, on either thread,
// throws from RunInTwo after both have ended.
TEST(BackgroundTask, RunInTwoRunsEachHalfOnceAndRethrows) {
  for (int throwing : {-1, 0, 1}) {
    int runs[2] = {};
    std::string caught;
    try {
      RunInTwo([&](size_t half) {
        ++runs[half];
        if (static_cast<int>(half) == throwing)
          throw std::runtime_error("half " + std::to_string(half));
      });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
    EXPECT_EQ(caught, throwing < 0 ? "" : "half " + std::to_string(throwing)) << throwing;
    EXPECT_EQ(runs[0], 1) << throwing;
    EXPECT_EQ(runs[1], 1) << throwing;
  }
}

}  // namespace
}  // namespace platform
