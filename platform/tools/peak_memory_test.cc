// The peak memory through this system's implementation, natively and under
// Windows: it is in KiB, it counts pages once they are touched, and it never
// goes down.

#include "platform/tools/peak_memory.h"

#include <cstddef>
#include <memory>

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(PeakMemoryTest, GrowsByTheTouchedPagesInKibAndStays) {
  const long before = PeakMemoryKib();
  ASSERT_GT(before, 0);
  // Larger than the peak so far, so that the peak must move whatever the
  // process held before.
  const std::size_t blockBytes = (static_cast<std::size_t>(before) + 64 * 1024) * 1024;
  {
    std::unique_ptr<volatile char[]> block(new volatile char[blockBytes]);
    for (std::size_t i = 0; i < blockBytes; i += 4096) block[i] = 1;
  }
  const long after = PeakMemoryKib();
  const long blockKib = static_cast<long>(blockBytes / 1024);
  // The whole block, within what the allocator and the system add or round.
  EXPECT_GE(after, blockKib * 15 / 16);
  EXPECT_LT(after, before + blockKib + 32 * 1024);
  EXPECT_GE(PeakMemoryKib(), after);
}

}  // namespace
}  // namespace platform
