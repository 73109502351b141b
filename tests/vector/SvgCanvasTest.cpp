#include "vector/SvgCanvas.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

std::string pixels(std::int64_t twips) {
  std::string out;
  appendPixels(out, twips);
  return out;
}

TEST(SvgCanvas, TwipsBecomePixelsExactly) {
  EXPECT_EQ(pixels(0), "0");
  EXPECT_EQ(pixels(20), "1");
  EXPECT_EQ(pixels(1), "0.05");
  EXPECT_EQ(pixels(2), "0.1");
  EXPECT_EQ(pixels(-31), "-1.55");
  EXPECT_EQ(pixels(INT32_MIN), "-107374182.4");
  std::string color;
  appendHexColor(color, Rgba{255, 16, 1, 9});
  EXPECT_EQ(color, "#ff1001");
  std::string transform;
  appendTransformAttribute(transform, "transform", Transform{});
  EXPECT_EQ(transform, "");
  appendTransformAttribute(transform, "transform", Transform{2, 0, 0, 0.5, 30, -10});
  EXPECT_EQ(transform, " transform=\"matrix(2 0 0 0.5 1.5 -0.5)\"");
}

TEST(SvgCanvas, DocumentCoversTheAreaWithItsBackground) {
  SvgCanvas canvas;
  canvas.body = "<path/>\n";
  const Rgba white{255, 255, 255, 255};
  const std::string svg = canvas.document(SwfRect{0, 11000, 0, 8000}, 2, &white, false);
  EXPECT_NE(svg.find("width=\"1100\" height=\"800\" viewBox=\"0 0 550 400\" shape-rendering=\"crispEdges\""),
            std::string::npos)
      << svg;
  EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"550\" height=\"400\" fill=\"#ffffff\"/>\n<path/>\n</svg>"),
            std::string::npos);
}

}  // namespace
}  // namespace orvane
