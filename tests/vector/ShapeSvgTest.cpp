#include "vector/ShapeSvg.h"

#include <gtest/gtest.h>

#include "tests/support/ShapeBuilder.h"

namespace orvane {
namespace {

TEST(ShapeSvg, FocalPointStaysWithinTheRadiusAsThePlayerKeepsIt) {
  // A focal point of 255/256 (0x00FF in 8.8) is drawn at 0.98 of the radius of 819.2
  // pixels; -1 at -0.98; 0.5 where it is.
  const auto focalOf = [](std::int16_t focal) {
    test::ShapeBuilder builder;
    builder.fill(test::gradientFill(fillkind::kFocalGradient, test::matrixBytes(65536, 65536, 0, 0, 0, 0), 0, 0,
                                    {{0, {255, 0, 0}}, {255, {0, 0, 255}}}, true, focal));
    builder.change({.move = true, .x = 0, .y = 0, .fill1 = 1}).lineTo(20, 0).lineTo(0, 20).lineTo(-20, -20);
    const test::Bytes bytes = builder.shapeWithStyle();
    BitReader reader(bytes);
    Shape shape;
    readShape(reader, ShapeVersion::Shape4, true, shape);
    SvgCanvas canvas;
    ShapeSvgWriter(canvas, nullptr).draw(shape.styleGroups, assembleShape(shape), Transform{}, ColorTransform{});
    const std::size_t at = canvas.defs.find(" fx=\"");
    return at == std::string::npos ? std::string() : canvas.defs.substr(at, canvas.defs.find('"', at + 5) - at + 1);
  };
  EXPECT_EQ(focalOf(0x00FF), " fx=\"802.816\"");
  EXPECT_EQ(focalOf(-0x0100), " fx=\"-802.816\"");
  EXPECT_EQ(focalOf(0x0080), " fx=\"409.6\"");
}

TEST(ShapeSvg, GradientsAsBandsOfTheirEntriesSampledAtPixelCorners) {
  // Red up to 127, blue from 128: two bands of 128 entries, meeting at half the gradient.
  test::ShapeBuilder builder;
  builder.fill(test::gradientFill(fillkind::kLinearGradient, test::matrixBytes(65536, 65536, 0, 0, 0, 0), 0, 0,
                                  {{0, {255, 0, 0}}, {127, {255, 0, 0}}, {128, {0, 0, 255}}, {255, {0, 0, 255}}},
                                  false));
  builder.change({.move = true, .x = 0, .y = 0, .fill1 = 1}).lineTo(20, 0).lineTo(0, 20).lineTo(-20, -20);
  const test::Bytes bytes = builder.shapeWithStyle();
  BitReader reader(bytes);
  Shape shape;
  readShape(reader, ShapeVersion::Shape1, true, shape);
  const auto gradientOf = [&shape](SvgCanvas& canvas, const Transform& placement) {
    ShapeSvgWriter(canvas, nullptr).draw(shape.styleGroups, assembleShape(shape), placement, ColorTransform{});
    return canvas.defs;
  };

  SvgCanvas bands;
  bands.gradientBands = true;
  bands.gradientSampleShift = 0.5;
  const std::string banded = gradientOf(bands, Transform{});
  EXPECT_NE(banded.find("<stop offset=\"0\" stop-color=\"#ff0000\"/>\n<stop offset=\"0.5\" stop-color=\"#ff0000\"/>\n"
                        "<stop offset=\"0.5\" stop-color=\"#0000ff\"/>\n<stop offset=\"1\" stop-color=\"#0000ff\"/>\n</"),
            std::string::npos)
      << banded;
  // Along y, where the ratio does not change, half a pixel; along x, where it grows, an
  // eighth, so that the four samples (1/8 to 7/8 of the pixel) lie from the corner onwards.
  EXPECT_NE(banded.find("gradientTransform=\"matrix(1 0 0 1 0.125 0.5)\""), std::string::npos) << banded;
  // Under a placement that doubles x and turns y around, the device's eighth across and half
  // down are a sixteenth of the shape's pixel across and minus half down.
  SvgCanvas placed;
  placed.gradientSampleShift = 0.5;
  Transform flip;
  flip.a = 2;
  flip.d = -1;
  EXPECT_NE(gradientOf(placed, flip).find("gradientTransform=\"matrix(1 0 0 1 0.0625 -0.5)\""), std::string::npos);
  // Mirrored across, the ratio falls towards the right: seven eighths, minus in the shape.
  SvgCanvas mirrored;
  mirrored.gradientSampleShift = 0.5;
  Transform mirror;
  mirror.a = -1;
  EXPECT_NE(gradientOf(mirrored, mirror).find("gradientTransform=\"matrix(1 0 0 1 -0.875 0.5)\""),
            std::string::npos);

  // Without bands the entries blend between their centres (127.5 / 256 the last red, 128.5 /
  // 256 the first blue), entries on the line between their neighbours left out.
  SvgCanvas blended;
  const std::string smooth = gradientOf(blended, Transform{});
  EXPECT_NE(smooth.find("<stop offset=\"0.498046875\" stop-color=\"#ff0000\"/>\n<stop offset=\"0.501953125\" "
                        "stop-color=\"#0000ff\"/>\n<stop offset=\"0.998046875\" stop-color=\"#0000ff\"/>\n"
                        "<stop offset=\"1\" stop-color=\"#0000ff\"/>\n</"),
            std::string::npos)
      << smooth;
  EXPECT_EQ(smooth.find("gradientTransform"), std::string::npos) << smooth;
}

TEST(ShapeSvg, CurvesAsLinesFollowTheCurveInFiveStepsOfWholeTwips) {
  // From (0, 0) over (100, 0) to (100, 100) twips: at t = 0.2, 0.4, 0.6, 0.8 the curve is
  // at (36, 4), (64, 16), (84, 36), (96, 64) twips. From (0, 0) over (7, 0) to (7, 7) its
  // points (2.52, 0.28), (4.48, 1.12), (5.88, 2.52), (6.72, 4.48) round to whole twips.
  Contour contour;
  contour.segments.push_back({{0, 0}, {100, 100}, {100, 0}, true});
  contour.segments.push_back({{100, 100}, {107, 107}, {107, 100}, true});
  contour.segments.push_back({{107, 107}, {0, 0}, {}, false});
  std::string lines;
  appendPathData(lines, {contour}, true, true);
  EXPECT_EQ(lines,
            "M0 0L1.8 0.2L3.2 0.8L4.2 1.8L4.8 3.2L5 5"
            "L5.15 5L5.2 5.05L5.3 5.15L5.35 5.2L5.35 5.35L0 0Z");
  std::string curves;
  appendPathData(curves, {contour}, true);
  EXPECT_EQ(curves, "M0 0Q5 0 5 5Q5.35 5 5.35 5.35L0 0Z");
}

}  // namespace
}  // namespace orvane
