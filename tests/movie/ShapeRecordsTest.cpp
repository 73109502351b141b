#include "movie/ShapeRecords.h"

#include <gtest/gtest.h>

#include "tests/support/ShapeBuilder.h"

namespace orvane {
namespace {

using test::Bytes;
using test::ByteWriter;
using test::Color;
using test::ShapeBuilder;
using test::StyleChange;

Shape read(const Bytes& bytes, ShapeVersion version, bool withStyles = true) {
  BitReader reader(bytes);
  Shape shape;
  readShape(reader, version, withStyles, shape);
  return shape;
}

TEST(ShapeRecords, EdgesBecomeAbsolutePointsAndStylesKeepTheirFields) {
  ShapeBuilder builder;
  builder.fill(test::solidFill({255, 0, 0, 128}, true))
      .fill(test::bitmapFill(0x41, 7, test::matrixBytes(20 << 16, 20 << 16, 0, 0, 30, -40)))
      .line(test::lineStyle(40, {0, 0, 255, 255}, true))
      .change({.move = true, .x = 100, .y = 200, .fill0 = 1, .line = 1})
      .lineTo(400, 0)
      .curveTo(100, 100, -100, 100)
      .change({.fill0 = 0, .fill1 = 2})
      .lineTo(-400, -200);
  const Shape shape = read(builder.shapeWithStyle(), ShapeVersion::Shape3);
  ASSERT_EQ(shape.fault, "");
  ASSERT_EQ(shape.styleGroups.size(), 1u);
  const ShapeStyles& styles = shape.styleGroups[0];
  ASSERT_EQ(styles.fills.size(), 2u);
  EXPECT_EQ(styles.fills[0].type, fillkind::kSolid);
  EXPECT_EQ(styles.fills[0].color, (Rgba{255, 0, 0, 128}));
  EXPECT_EQ(styles.fills[1].type, fillkind::kClippedBitmap);
  EXPECT_EQ(styles.fills[1].bitmapId, 7);
  EXPECT_EQ(styles.fills[1].matrix.scaleX, 20 << 16);
  EXPECT_EQ(styles.fills[1].matrix.translateX, 30);
  EXPECT_EQ(styles.fills[1].matrix.translateY, -40);
  ASSERT_EQ(styles.lines.size(), 1u);
  EXPECT_EQ(styles.lines[0].width, 40);
  EXPECT_EQ(styles.lines[0].color, (Rgba{0, 0, 255, 255}));

  ASSERT_EQ(shape.records.size(), 5u);
  const ShapeRecord& move = shape.records[0];
  EXPECT_EQ(move.kind, ShapeRecord::Kind::StyleChange);
  EXPECT_EQ(move.flags, ShapeRecord::kMoveTo | ShapeRecord::kFill0 | ShapeRecord::kLine);
  EXPECT_EQ(move.to, (ShapePoint{100, 200}));
  EXPECT_EQ(move.fill0, 1u);
  EXPECT_EQ(move.line, 1u);
  EXPECT_EQ(shape.records[1].kind, ShapeRecord::Kind::StraightEdge);
  EXPECT_EQ(shape.records[1].to, (ShapePoint{500, 200}));
  EXPECT_EQ(shape.records[2].kind, ShapeRecord::Kind::CurvedEdge);
  EXPECT_EQ(shape.records[2].control, (ShapePoint{600, 300}));
  EXPECT_EQ(shape.records[2].to, (ShapePoint{500, 400}));
  // A style change without a move keeps the pen where the last edge left it.
  EXPECT_EQ(shape.records[3].flags, ShapeRecord::kFill0 | ShapeRecord::kFill1);
  EXPECT_EQ(shape.records[3].to, (ShapePoint{500, 400}));
  EXPECT_EQ(shape.records[3].fill1, 2u);
  EXPECT_EQ(shape.records[4].to, (ShapePoint{100, 200}));
}

TEST(ShapeRecords, NewStylesOpenAGroupWithTheirOwnIndexWidths) {
  std::vector<Bytes> manyFills(5, test::solidFill({1, 2, 3}, false));
  ShapeBuilder builder;
  builder.fill(test::solidFill({9, 9, 9}, false))
      .change({.move = true, .x = 0, .y = 0, .fill1 = 1})
      .lineTo(20, 0)
      .newStyles({.move = true, .x = 40, .y = 0, .fill1 = 1}, manyFills, {test::lineStyle(20, {}, false)})
      .change({.fill1 = 5})
      .lineTo(0, 20);
  const Shape shape = read(builder.shapeWithStyle(), ShapeVersion::Shape2);
  ASSERT_EQ(shape.fault, "");
  ASSERT_EQ(shape.styleGroups.size(), 2u);
  EXPECT_EQ(shape.styleGroups[1].fills.size(), 5u);
  EXPECT_EQ(shape.styleGroups[1].lines.size(), 1u);
  ASSERT_EQ(shape.records.size(), 5u);
  EXPECT_EQ(shape.records[2].flags & ShapeRecord::kNewStyles, ShapeRecord::kNewStyles);
  EXPECT_EQ(shape.records[2].styleGroup, 1u);
  // Three bits after the new arrays: index 5 of the second group.
  EXPECT_EQ(shape.records[3].fill1, 5u);
  EXPECT_EQ(shape.records[4].to, (ShapePoint{40, 20}));
}

TEST(ShapeRecords, StyleCountsAreExtendedFromDefineShape2OnForFillsAndAlwaysForLines) {
  const std::vector<Bytes> fills(300, test::solidFill({1, 1, 1}, false));
  ShapeBuilder builder;
  for (const Bytes& fill : fills) builder.fill(fill);
  EXPECT_EQ(read(builder.shapeWithStyle(), ShapeVersion::Shape2).styleGroups[0].fills.size(), 300u);
  // DefineShape reads the count byte 0xFF as 255 fills: the first is then the extended
  // count's low byte 0x2C, no fill type.
  EXPECT_EQ(read(builder.shapeWithStyle(), ShapeVersion::Shape1).fault, "fill style 1 has the unknown type 44");

  ShapeBuilder lines;
  for (int i = 0; i < 256; ++i) lines.line(test::lineStyle(20, {}, false));
  EXPECT_EQ(read(lines.shapeWithStyle(), ShapeVersion::Shape1).styleGroups[0].lines.size(), 256u);
}

TEST(ShapeRecords, DefineShape4LinesAndFocalGradients) {
  ByteWriter line;
  // Width 60; square start cap (2), miter join (2), has fill; no close, none end cap (1).
  line.u16(60).u8(0b10'10'1'0'0'0).u8(0b00000'1'01).u16(0x0280);
  line.bytes(test::solidFill({10, 20, 30, 40}, true));
  ShapeBuilder builder;
  builder
      .fill(test::gradientFill(0x13, test::matrixBytes(65536, 65536, 0, 0, 0, 0), 1, 1,
                               {{0, {255, 0, 0, 255}}, {255, {0, 0, 255, 128}}}, true, -128))
      .line(line.take())
      .change({.move = true, .x = 0, .y = 0, .line = 1})
      .lineTo(100, 0);
  const Shape shape = read(builder.shapeWithStyle(), ShapeVersion::Shape4);
  ASSERT_EQ(shape.fault, "");
  const FillStyle& fill = shape.styleGroups[0].fills.at(0);
  EXPECT_EQ(fill.type, fillkind::kFocalGradient);
  EXPECT_EQ(fill.gradient.spreadMode, 1);
  EXPECT_EQ(fill.gradient.interpolationMode, 1);
  ASSERT_EQ(fill.gradient.stops.size(), 2u);
  EXPECT_EQ(fill.gradient.stops[1].ratio, 255);
  EXPECT_EQ(fill.gradient.stops[1].color, (Rgba{0, 0, 255, 128}));
  EXPECT_DOUBLE_EQ(fill.gradient.focalPoint, -0.5);
  const LineStyle& style = shape.styleGroups[0].lines.at(0);
  EXPECT_EQ(style.width, 60);
  EXPECT_EQ(style.startCap, linecap::kSquare);
  EXPECT_EQ(style.join, linejoin::kMiter);
  EXPECT_TRUE(style.hasFill);
  EXPECT_TRUE(style.noClose);
  EXPECT_EQ(style.endCap, linecap::kNone);
  EXPECT_EQ(style.miterLimit, 0x0280);
  EXPECT_EQ(style.fill.color, (Rgba{10, 20, 30, 40}));
}

TEST(ShapeRecords, ShortOrImpossibleShapesSayWhatIsMissing) {
  ShapeBuilder builder;
  builder.fill(test::solidFill({1, 2, 3}, false))
      .change({.move = true, .x = 1000, .y = 1000, .fill0 = 1})
      .lineTo(3000, 3000)
      .lineTo(-3000, 0);
  const Bytes whole = builder.shapeWithStyle();
  // Cut inside the last edge: the two records before it stay.
  const Shape cut = read(Bytes(whole.begin(), whole.end() - 3), ShapeVersion::Shape1);
  EXPECT_EQ(cut.fault, "the shape ends inside an edge record");
  EXPECT_EQ(cut.records.size(), 2u);
  // No styles, zero index widths, then nothing: no end record.
  EXPECT_EQ(read({0x00, 0x00, 0x00}, ShapeVersion::Shape1).fault, "the shape ends without its end record");

  // 0xFF 0xFFFF fills in a six-byte body.
  EXPECT_EQ(read({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00}, ShapeVersion::Shape3).fault,
            "the fill style count 65535 passes the end of the shape");
  EXPECT_EQ(read({0x01, 0x77, 0x00, 0x00, 0x00, 0x00}, ShapeVersion::Shape3).fault,
            "fill style 1 has the unknown type 119");
  EXPECT_EQ(read({}, ShapeVersion::Glyph, false).fault, "the shape ends before its style index widths");
}

TEST(ShapeRecords, GlyphShapesHaveNoStyleArrays) {
  ShapeBuilder glyph;
  glyph.fill(test::solidFill({}, false)).change({.move = true, .x = 0, .y = -700, .fill1 = 1}).lineTo(500, 700);
  const Shape shape = read(glyph.shape(), ShapeVersion::Glyph, false);
  ASSERT_EQ(shape.fault, "");
  EXPECT_TRUE(shape.styleGroups.at(0).fills.empty());
  ASSERT_EQ(shape.records.size(), 2u);
  EXPECT_EQ(shape.records[0].fill1, 1u);
  EXPECT_EQ(shape.records[1].to, (ShapePoint{500, 0}));
}

}  // namespace
}  // namespace orvane
