#include <gtest/gtest.h>

#include "actions/BlockMarker.h"

namespace orvane {
namespace {

std::string texts(const std::vector<BlockMarker>& markers) {
  std::string joined;
  for (const BlockMarker& marker : markers) joined += std::string(marker.text) + ";";
  return joined;
}

TEST(BlockMarkerQueue, DueMarkersComeInCreationOrderNotInTargetOrder) {
  BlockMarkerQueue queue;
  queue.add({0x99, 14, "a"});
  queue.add({0x9D, 13, "b"});
  queue.add({0x99, 30, "c"});
  queue.add({0x9B, 13, "d"});
  queue.add({0x8A, UINT32_MAX, "e"});
  EXPECT_EQ(texts(queue.takeDue(12)), "");
  // Both targets lie inside the record that ends at 20.
  EXPECT_EQ(texts(queue.takeDue(20)), "a;b;d;");
  EXPECT_EQ(texts(queue.takeDue(20)), "");
  EXPECT_FALSE(queue.empty());
  queue.add({0x9D, 5, "f"});
  EXPECT_EQ(texts(queue.takeAll()), "c;e;f;");
  EXPECT_TRUE(queue.empty());
  EXPECT_EQ(texts(queue.takeAll()), "");
}

}  // namespace
}  // namespace orvane
