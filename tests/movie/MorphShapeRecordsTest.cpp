#include "movie/MorphShapeRecords.h"

#include <gtest/gtest.h>

#include "movie/TagHeader.h"
#include "tests/support/ShapeBuilder.h"

namespace orvane {
namespace {

using test::Bytes;
using test::ByteWriter;
using test::ShapeBuilder;

/// A DefineMorphShape body: one solid fill going from red to half-transparent blue, one
/// line growing from 1 to 3 pixels, and a triangle whose tip moves.
Bytes morphBody(bool cutEndEdges) {
  ShapeBuilder start;
  start.fill({}).line({}).change({.move = true, .x = 0, .y = 0, .fill0 = 1, .line = 1}).lineTo(200, 0).lineTo(-100, 200);
  ShapeBuilder end;
  end.change({.move = true, .x = 20, .y = 0}).lineTo(200, 0).curveTo(0, 100, -100, 300);
  ByteWriter styles;
  styles.u8(1).u8(0x00).bytes({255, 0, 0, 255}).bytes({0, 0, 255, 128});
  styles.u8(1).u16(20).u16(60).bytes({0, 0, 0, 255}).bytes({0, 255, 0, 255});
  const Bytes startEdges = start.shape();
  Bytes endEdges = end.shape();
  ByteWriter body;
  body.u16(12).bytes(test::rectBytes(0, 200, 0, 200)).bytes(test::rectBytes(0, 220, 0, 400));
  body.u32(static_cast<std::uint32_t>(styles.data().size() + startEdges.size() + (cutEndEdges ? 50 : 0)));
  body.bytes(styles.data()).bytes(startEdges).bytes(endEdges);
  return body.take();
}

TEST(MorphShapeRecords, StartAndEndKeepTheirStylesAndEdges) {
  const MorphShape morph = readMorphShape(morphBody(false), tag::kDefineMorphShape);
  ASSERT_EQ(morph.fault, "");
  EXPECT_EQ(morph.characterId, 12);
  EXPECT_EQ(morph.endBounds.yMax, 400);
  ASSERT_EQ(morph.startStyles.fills.size(), 1u);
  EXPECT_EQ(morph.startStyles.fills[0].color, (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(morph.endStyles.fills[0].color, (Rgba{0, 0, 255, 128}));
  ASSERT_EQ(morph.endStyles.lines.size(), 1u);
  EXPECT_EQ(morph.startStyles.lines[0].width, 20);
  EXPECT_EQ(morph.endStyles.lines[0].width, 60);
  EXPECT_EQ(morph.endStyles.lines[0].color, (Rgba{0, 255, 0, 255}));
  ASSERT_EQ(morph.startEdges.records.size(), 3u);
  EXPECT_EQ(morph.startEdges.records[2].to, (ShapePoint{100, 200}));
  ASSERT_EQ(morph.endEdges.records.size(), 3u);
  EXPECT_EQ(morph.endEdges.records[2].kind, ShapeRecord::Kind::CurvedEdge);
  EXPECT_EQ(morph.endEdges.records[2].control, (ShapePoint{220, 100}));
  EXPECT_EQ(morph.endEdges.records[2].to, (ShapePoint{120, 400}));
}

TEST(MorphShapeRecords, AnEndEdgesOffsetPastTheBodyIsAFault) {
  const MorphShape morph = readMorphShape(morphBody(true), tag::kDefineMorphShape);
  EXPECT_EQ(morph.fault.rfind("the end edges offset ", 0), 0u) << morph.fault;
  EXPECT_EQ(readMorphShape(Bytes{0x0C, 0x00}, tag::kDefineMorphShape).fault,
            "the morph shape ends before its end edges offset");
}

}  // namespace
}  // namespace orvane
