#include "platform/tools/background_task.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <stdexcept>
#include <string>

namespace platform {
namespace {

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
