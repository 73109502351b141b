#include "vector/SvgRasterizer.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

/// The width and height in a PNG's header chunk.
std::pair<std::uint32_t, std::uint32_t> pngSize(const std::vector<std::uint8_t>& png) {
  const auto at = [&png](std::size_t offset) {
    return std::uint32_t{png.at(offset)} << 24 | std::uint32_t{png.at(offset + 1)} << 16 |
           std::uint32_t{png.at(offset + 2)} << 8 | png.at(offset + 3);
  };
  return {at(16), at(20)};
}

TEST(SvgRasterizer, DrawsTheDocumentAtItsSizeTimesTheScale) {
  const std::string svg =
      R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="5" viewBox="0 0 10 5">)"
      R"(<rect width="10" height="5" fill="red"/></svg>)";
  EXPECT_EQ(pngSize(rasterizeSvg(svg).png), (std::pair<std::uint32_t, std::uint32_t>{10, 5}));
  // 12.5 rounds up.
  EXPECT_EQ(pngSize(rasterizeSvg(svg, 2.5).png), (std::pair<std::uint32_t, std::uint32_t>{25, 13}));
  EXPECT_EQ(pngSize(rasterizeSvg(svg, 0.1).png), (std::pair<std::uint32_t, std::uint32_t>{1, 1}));
  // No scale is taken for none; each side stops at 16384 pixels.
  EXPECT_EQ(pngSize(rasterizeSvg(svg, 0).png), (std::pair<std::uint32_t, std::uint32_t>{10, 5}));
  const std::string strip =
      R"(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="1"><rect width="100" height="1"/></svg>)";
  EXPECT_EQ(pngSize(rasterizeSvg(strip, 200).png), (std::pair<std::uint32_t, std::uint32_t>{16384, 200}));
  const RasterResult refused = rasterizeSvg("<svg", 2);
  EXPECT_TRUE(refused.png.empty());
  EXPECT_FALSE(refused.error.empty());
}

}  // namespace
}  // namespace orvane
