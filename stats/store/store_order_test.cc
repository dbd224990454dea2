#include "stats/store/store_order.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace stats {
namespace {

// Sequence numbers kept by id, as the store keeps them in its slots; a
// small limit makes the order number its records again now and then.
TEST(StoreOrderTest, FindsEveryPositionThroughErasuresAndRenumbering) {
  for (uint32_t seqLimit : {UINT32_MAX, 40u, 5u}) {
    std::mt19937 random(seqLimit);
    StoreOrder order(seqLimit);
    std::vector<uint32_t> seqs(4000), model;
    auto seqOf = [&](uint32_t id) -> uint32_t& { return seqs[id]; };
    for (uint32_t id = 0; id < seqs.size(); ++id) {
      if (model.empty() || random() % 3 != 0) {
        order.Append(id, seqOf);
        model.push_back(id);
      } else {
        const std::size_t at = random() % model.size();
        order.Erase(at);
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
      }
      if (random() % 500 == 0) {
        order.Clear();
        model.clear();
      }
      ASSERT_EQ(order.Count(), model.size());
      for (std::size_t i = 0; i < model.size(); i += 1 + model.size() / 16) {
        ASSERT_EQ(order[i], model[i]);
        ASSERT_EQ(order.PositionOf(model[i], seqOf), i) << "limit " << seqLimit << " id " << id;
      }
    }
  }
}

}  // namespace
}  // namespace stats
