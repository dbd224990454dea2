#include <sys/stat.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "platform/plugin/message_box.h"
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

}  // namespace
}  // namespace platform
