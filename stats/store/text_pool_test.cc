#include "stats/store/text_pool.h"

#include <cstddef>
#include <string>

#include <gtest/gtest.h>

namespace stats {
namespace {

// Every length up to past two words, each byte changed in turn (also to a
// byte above 127), and texts that are prefixes of each other.
TEST(SameBytesTest, TellsApartTextsThatDifferInAnyOneByte) {
  for (std::size_t n = 0; n <= 20; ++n) {
    const std::string a(n, 'A');
    ASSERT_TRUE(SameBytes(a, std::string(n, 'A'))) << n;
    ASSERT_FALSE(SameBytes(a, std::string(n + 1, 'A'))) << n;
    for (std::size_t i = 0; i < n; ++i) {
      for (char other : {'B', '\xC4', 'a'}) {
        std::string b = a;
        b[i] = other;
        ASSERT_FALSE(SameBytes(a, b)) << n << " " << i;
        ASSERT_FALSE(SameBytes(b, a)) << n << " " << i;
      }
    }
  }
}

}  // namespace
}  // namespace stats
