#include "vector/ShapePaths.h"

#include <gtest/gtest.h>

#include "tests/support/ShapeBuilder.h"
#include "vector/ShapeSvg.h"

namespace orvane {
namespace {

using test::ShapeBuilder;

Shape read(const ShapeBuilder& builder) {
  const test::Bytes bytes = builder.shapeWithStyle();
  BitReader reader(bytes);
  Shape shape;
  readShape(reader, ShapeVersion::Shape3, true, shape);
  return shape;
}

std::string fillData(const ShapePaths& paths, std::size_t fill) {
  std::string out;
  appendPathData(out, paths.layers.at(0).fills.at(fill).contours, true);
  return out;
}

TEST(ShapePaths, EdgesShareTwoFillsAndChainIntoClosedContours) {
  // Two squares side by side, 1 pixel each, drawn as the authoring tool does: the middle
  // edge once, fill 1 on its right, fill 2 on its left; the outer edges in pieces.
  ShapeBuilder builder;
  builder.fill(test::solidFill({255, 0, 0}, true)).fill(test::solidFill({0, 0, 255}, true));
  builder.change({.move = true, .x = 20, .y = 0, .fill0 = 2, .fill1 = 1})
      .lineTo(0, 20)
      .change({.fill0 = 0, .fill1 = 1})
      .lineTo(-20, 0)
      .lineTo(0, -20)
      .lineTo(20, 0)
      .change({.move = true, .x = 20, .y = 0, .fill0 = 0, .fill1 = 2})
      .lineTo(20, 0)
      .lineTo(0, 20)
      .lineTo(-20, 0);
  const ShapePaths paths = assembleShape(read(builder));
  ASSERT_EQ(paths.layers.size(), 1u);
  ASSERT_EQ(paths.layers[0].fills.size(), 2u);
  // Fill 1 follows its edges as drawn, each used once, closed without a gap.
  EXPECT_EQ(fillData(paths, 0), "M1 0L1 1L0 1L0 0L1 0Z");
  // Fill 2 takes the middle edge reversed and joins it to its own three.
  EXPECT_EQ(fillData(paths, 1), "M1 1L1 0L2 0L2 1L1 1Z");
}

TEST(ShapePaths, HolesStaySeparateContoursAndLinesJoinUntilAMove) {
  ShapeBuilder builder;
  builder.fill(test::solidFill({0, 0, 0}, true)).line(test::lineStyle(20, {0, 0, 0}, true));
  builder.change({.move = true, .x = 0, .y = 0, .fill1 = 1, .line = 1})
      .lineTo(100, 0)
      .curveTo(0, 50, 0, 50)
      .lineTo(-100, 0)
      .lineTo(0, -100)
      .change({.move = true, .x = 40, .y = 40, .line = 0})
      .lineTo(0, 20)
      .lineTo(20, 0)
      .lineTo(0, -20)
      .lineTo(-20, 0);
  const ShapePaths paths = assembleShape(read(builder));
  ASSERT_EQ(paths.layers[0].fills.size(), 1u);
  EXPECT_EQ(paths.layers[0].fills[0].contours.size(), 2u);
  EXPECT_EQ(fillData(paths, 0), "M0 0L5 0Q5 2.5 5 5L0 5L0 0ZM2 2L2 3L3 3L3 2L2 2Z");
  ASSERT_EQ(paths.layers[0].lines.size(), 1u);
  ASSERT_EQ(paths.layers[0].lines[0].contours.size(), 1u);
  EXPECT_TRUE(paths.layers[0].lines[0].contours[0].closed);
  EXPECT_EQ(paths.layers[0].lines[0].contours[0].segments.size(), 4u);
}

TEST(ShapePaths, StyleIndicesPastTheirTableAreIgnored) {
  ShapeBuilder builder;
  builder.fill(test::solidFill({0, 0, 0}, true)).fill(test::solidFill({0, 0, 0}, true));
  builder.change({.move = true, .x = 0, .y = 0, .fill1 = 3}).lineTo(20, 0).lineTo(0, 20);
  const ShapePaths paths = assembleShape(read(builder));
  EXPECT_TRUE(paths.layers.at(0).fills.empty());
}

}  // namespace
}  // namespace orvane
