#include "vector/BitmapBlocks.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>

#include "vector/SvgRasterizer.h"

namespace orvane {
namespace {

/// Bitmaps by id from a table.
class TableBitmaps : public BitmapSource {
 public:
  std::map<std::uint16_t, EmbeddedBitmap> bitmaps;
  const EmbeddedBitmap* bitmap(std::uint16_t id) override {
    const auto found = bitmaps.find(id);
    return found == bitmaps.end() ? nullptr : &found->second;
  }
};

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

/// A 2 x 1 PNG: a red pixel, then a blue one.
std::vector<std::uint8_t> redBluePng() {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1);
  auto* pixels = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
  pixels[0] = 0xFFFF0000;
  pixels[1] = 0xFF0000FF;
  cairo_surface_mark_dirty(surface);
  std::vector<std::uint8_t> png;
  cairo_surface_write_to_png_stream(surface, appendBytes, &png);
  cairo_surface_destroy(surface);
  return png;
}

struct Reader {
  const std::vector<std::uint8_t>& bytes;
  std::size_t at = 0;
};

/// The picture's pixels as 0xAARRGGBB, row by row, and its width.
std::vector<std::uint32_t> pixelsOf(const std::vector<std::uint8_t>& png, int& width) {
  Reader reader{png};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(
      [](void* closure, unsigned char* data, unsigned int length) {
        auto* from = static_cast<Reader*>(closure);
        if (from->at + length > from->bytes.size()) return CAIRO_STATUS_READ_ERROR;
        std::memcpy(data, from->bytes.data() + from->at, length);
        from->at += length;
        return CAIRO_STATUS_SUCCESS;
      },
      &reader);
  std::vector<std::uint32_t> out;
  width = cairo_image_surface_get_width(surface);
  for (int y = 0; y < cairo_image_surface_get_height(surface); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                                             y * cairo_image_surface_get_stride(surface));
    out.insert(out.end(), row, row + width);
  }
  cairo_surface_destroy(surface);
  return out;
}

TEST(BitmapBlocks, EachPixelBecomesABlockAndTheBitmapKeepsItsSize) {
  TableBitmaps table;
  table.bitmaps[1] = EmbeddedBitmap{"image/png", redBluePng(), 2, 1};
  table.bitmaps[2] = EmbeddedBitmap{"image/png", {1, 2, 3}, 2, 1};  // not a picture
  BitmapBlocks blocks(table, 3);

  const EmbeddedBitmap* red = blocks.bitmap(1);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->mimeType, "image/png");
  EXPECT_EQ(red->width, 2u);
  EXPECT_EQ(red->height, 1u);
  int width = 0;
  const std::uint32_t r = 0xFFFF0000;
  const std::uint32_t b = 0xFF0000FF;
  EXPECT_EQ(pixelsOf(red->data, width), (std::vector<std::uint32_t>{r, r, r, b, b, b, r, r, r, b, b, b, r, r, r, b, b, b}));
  EXPECT_EQ(width, 6);
  EXPECT_EQ(blocks.bitmap(1), red);  // once

  // What cannot be decoded stays as it is; what the source lacks stays missing.
  EXPECT_EQ(blocks.bitmap(2), &table.bitmaps[2]);
  EXPECT_EQ(blocks.bitmap(3), nullptr);
  // A bitmap whose blocks would pass the limit stays as it is.
  table.bitmaps[4] = EmbeddedBitmap{"image/png", redBluePng(), 4096, 4096};
  EXPECT_EQ(blocks.bitmap(4), &table.bitmaps[4]);
}

TEST(BitmapBlocks, EnlargedUnsmoothedBitmapsKeepHardPixels) {
  TableBitmaps table;
  table.bitmaps[1] = EmbeddedBitmap{"image/png", redBluePng(), 2, 1};
  BitmapBlocks blocks(table, kFourSampleScale);
  const std::uint32_t r = 0xFFFF0000;
  const std::uint32_t b = 0xFF0000FF;

  // Ten times as large in a document of 20 x 10 pixels: red from 0 to 10, blue from 10 to
  // 20, with no blend of the two at the seam.
  SvgCanvas canvas;
  ShapeSvgWriter writer(canvas, &blocks);
  const Transform tenfold{10, 0, 0, 10, 0, 0};
  EXPECT_EQ(writer.enlargement(tenfold), 10);
  writer.drawBitmap(*blocks.unsmoothedBitmap(1, writer.enlargement(tenfold)), tenfold, ColorTransform{});
  const RasterResult raster =
      rasterizeSvg(canvas.document({0, 400, 0, 200}, 1, nullptr, true), 1, EdgeCoverage::FourSamples);
  ASSERT_EQ(raster.error, "");
  int width = 0;
  const std::vector<std::uint32_t> pixels = pixelsOf(raster.png, width);
  ASSERT_EQ(width, 20);
  ASSERT_EQ(pixels.size(), 200u);
  for (int y : {0, 5, 9}) {
    for (int x = 0; x < 20; ++x) EXPECT_EQ(pixels[y * 20 + x], x < 10 ? r : b) << x << ", " << y;
  }

  // Blocks of 4 times the next whole enlargement: 40 for 10, 12 for 2.5; at most 1 the
  // usual blocks of 4. A rotation enlarges by its longer side.
  ASSERT_NE(blocks.unsmoothedBitmap(1, 10), nullptr);
  pixelsOf(blocks.unsmoothedBitmap(1, 10)->data, width);
  EXPECT_EQ(width, 80);
  pixelsOf(blocks.unsmoothedBitmap(1, 2.5)->data, width);
  EXPECT_EQ(width, 24);
  EXPECT_EQ(blocks.unsmoothedBitmap(1, 1), blocks.bitmap(1));
  EXPECT_EQ(blocks.unsmoothedBitmap(1, 0.5), blocks.bitmap(1));
  EXPECT_EQ(writer.enlargement(Transform{0, 3, -4, 0, 0, 0}), 4);
  EXPECT_EQ(blocks.unsmoothedBitmap(7, 10), nullptr);
  // A large bitmap grows only as far as the limit allows: 1024 x 1024 takes blocks of 4.
  table.bitmaps[2] = EmbeddedBitmap{"image/png", redBluePng(), 1024, 1024};
  pixelsOf(blocks.unsmoothedBitmap(2, 10)->data, width);
  EXPECT_EQ(width, 8);
}

}  // namespace
}  // namespace orvane
