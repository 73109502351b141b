#include "vector/SvgRasterizer.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>

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

/// The green channel of each pixel of row `y` from `x0` to `x1` (inclusive).
std::vector<int> greens(const std::vector<std::uint8_t>& png, int y, int x0, int x1) {
  struct Reader {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
  } reader{&png};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(
      [](void* closure, unsigned char* data, unsigned int length) {
        auto* from = static_cast<Reader*>(closure);
        if (from->at + length > from->bytes->size()) return CAIRO_STATUS_READ_ERROR;
        std::memcpy(data, from->bytes->data() + from->at, length);
        from->at += length;
        return CAIRO_STATUS_SUCCESS;
      },
      &reader);
  std::vector<int> out;
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    for (int x = x0; x <= x1; ++x) out.push_back(row[x * 4 + 1]);  // BGRA in memory
  }
  cairo_surface_destroy(surface);
  return out;
}

TEST(SvgRasterizer, PixelCentresDecideEdgesThroughWholeTwipsExactly) {
  // The edge from (23, 204.5) to (43.95, 140.05) crosses the centre line of row 184 at
  // x = 23 + 20 * 20.95 / 64.45 = 29.50116: the centre of pixel 29 (29.5) lies just left
  // of it, outside the black shape; pixel 30's inside.
  const std::string svg =
      R"(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="210" viewBox="0 0 64 210">)"
      R"(<rect width="64" height="210" fill="#ffffff"/>)"
      R"(<path fill="#000000" d="M23 204.5L43.95 140.05L60 140.05L60 204.5Z"/></svg>)";
  const RasterResult picture = rasterizeSvg(svg, 1, EdgeCoverage::PixelCentres);
  EXPECT_EQ(greens(picture.png, 184, 28, 31), (std::vector<int>{255, 255, 0, 0}));
  // Pixels whose centres lie on the edge's row ends: row 140 (centre 140.5) is in, row 204
  // (204.5, the bottom edge) is out.
  EXPECT_EQ(greens(picture.png, 140, 58, 60), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(greens(picture.png, 204, 50, 50), (std::vector<int>{255}));
  EXPECT_EQ(greens(picture.png, 203, 50, 50), (std::vector<int>{0}));
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
