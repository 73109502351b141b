#include "objects/LosslessPng.h"

#include <gtest/gtest.h>

#include "tests/objects/PreservationTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pixel = std::array<int, 4>;

/// A DefineBitsLossless(2) body with `raw` compressed, written as PNG and read back.
std::optional<test::DecodedPng> throughPng(const test::ScratchFolder& folder, bool alpha, std::uint8_t format,
                                           std::uint16_t width, std::uint16_t height, std::uint8_t tableSize,
                                           const Bytes& raw) {
  test::ByteWriter body;
  body.u16(9).u8(format).u16(width).u16(height);
  if (format == 3) body.u8(tableSize);
  body.bytes(test::zlibCompress(raw));
  LosslessData data;
  std::string error;
  if (inflateLossless(body.data(), alpha ? 4 : 3, error, data) != ScanStatus::Success) return std::nullopt;
  const std::string path = folder.file("picture.png");
  if (!writeLosslessPng(path, data)) return std::nullopt;
  return test::readPng(path);
}

TEST(LosslessPng, ColourMappedBitmapsKeepTheirPaletteTransparencyAndWidth) {
  test::ScratchFolder folder;
  // Three entries with alpha 255, 0 and 128; 3 x 2 pixels in rows padded to 4. The second
  // row uses index 5, past the table.
  const Bytes raw{10, 20, 30, 255, 0, 0, 0, 0, 40, 50, 60, 128,  // table
                  0,  1,  2,  7,                                   // row 0 and its padding
                  2,  5,  0,  7};                                  // row 1
  const auto png = throughPng(folder, true, 3, 3, 2, 2, raw);
  ASSERT_TRUE(png);
  EXPECT_EQ(png->colourType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(png->width, 3u);
  EXPECT_EQ(png->height, 2u);
  // The palette reaches index 5; the entries past the table are zero (transparent black).
  using Entry = std::array<std::uint8_t, 3>;
  EXPECT_EQ(png->palette, (std::vector<Entry>{{10, 20, 30}, {0, 0, 0}, {40, 50, 60}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
  EXPECT_EQ(png->paletteAlpha, (Bytes{255, 0, 128, 0, 0, 0}));
  EXPECT_EQ(png->at(0, 0), (Pixel{10, 20, 30, 255}));
  EXPECT_EQ(png->at(1, 0), (Pixel{0, 0, 0, 0}));
  EXPECT_EQ(png->at(2, 0), (Pixel{40, 50, 60, 128}));
  EXPECT_EQ(png->at(0, 1), (Pixel{40, 50, 60, 128}));
  EXPECT_EQ(png->at(1, 1), (Pixel{0, 0, 0, 0}));

  // Without alpha in the table: an opaque palette of RGB entries.
  const auto opaque = throughPng(folder, false, 3, 2, 1, 1, {200, 100, 50, 1, 2, 3, 1, 0, 9, 9});
  ASSERT_TRUE(opaque);
  EXPECT_EQ(opaque->colourType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(opaque->palette, (std::vector<Entry>{{200, 100, 50}, {1, 2, 3}}));
  EXPECT_TRUE(opaque->paletteAlpha.empty());
  EXPECT_EQ(opaque->at(0, 0), (Pixel{1, 2, 3, 255}));
  EXPECT_EQ(opaque->at(1, 0), (Pixel{200, 100, 50, 255}));
}

TEST(LosslessPng, FifteenBitPixelsWidenToEightBitsAndSayTheyHadFive) {
  test::ScratchFolder folder;
  // 3 pixels (6 bytes, padded to 8), big-endian 0RRRRRGG GGGBBBBB: white, full red, blue 1,
  // and 16 in every channel.
  const Bytes raw{0x7F, 0xFF, 0x7C, 0x00, 0x00, 0x01, 0xEE, 0xEE,  // row 0
                  0x42, 0x10, 0x00, 0x00, 0x00, 0x00, 0xEE, 0xEE};  // row 1
  const auto png = throughPng(folder, false, 4, 3, 2, 0, raw);
  ASSERT_TRUE(png);
  EXPECT_EQ(png->colourType, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(png->significantRed, 5);
  EXPECT_EQ(png->at(0, 0), (Pixel{255, 255, 255, 255}));
  EXPECT_EQ(png->at(1, 0), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(png->at(2, 0), (Pixel{0, 0, 8, 255}));     // 00001 -> 00001000
  EXPECT_EQ(png->at(0, 1), (Pixel{132, 132, 132, 255}));  // 10000 -> 10000100
  EXPECT_EQ(png->at(1, 1), (Pixel{0, 0, 0, 255}));
}

TEST(LosslessPng, TwentyFourBitPixelsDropTheirPaddingByte) {
  test::ScratchFolder folder;
  const auto png = throughPng(folder, false, 5, 2, 1, 0, {0x00, 1, 2, 3, 0x77, 250, 251, 252});
  ASSERT_TRUE(png);
  EXPECT_EQ(png->colourType, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(png->at(0, 0), (Pixel{1, 2, 3, 255}));
  EXPECT_EQ(png->at(1, 0), (Pixel{250, 251, 252, 255}));
}

TEST(LosslessPng, PremultipliedPixelsBecomeStraightAlphaRoundedToTheNearest) {
  test::ScratchFolder folder;
  // A, R, G, B premultiplied.
  const Bytes raw{0,   0,  0,   0,    // fully transparent
                  1,   1,  0,   1,    // 1 / 1 -> 255
                  128, 64, 128, 100,  // 64*255/128 = 127.5 -> 128; 255; 199.2 -> 199
                  255, 10, 20,  30,   // opaque: unchanged
                  128, 200, 0,  0};   // colour above alpha (damaged data): at most 255
  const auto png = throughPng(folder, true, 5, 5, 1, 0, raw);
  ASSERT_TRUE(png);
  EXPECT_EQ(png->colourType, PNG_COLOR_TYPE_RGB_ALPHA);
  EXPECT_EQ(png->at(0, 0), (Pixel{0, 0, 0, 0}));
  EXPECT_EQ(png->at(1, 0), (Pixel{255, 0, 255, 1}));
  EXPECT_EQ(png->at(2, 0), (Pixel{128, 255, 199, 128}));
  EXPECT_EQ(png->at(3, 0), (Pixel{10, 20, 30, 255}));
  EXPECT_EQ(png->at(4, 0), (Pixel{255, 0, 0, 128}));

  // The same bytes in a DefineBitsLossless are padding and colour, written as they are.
  const auto plain = throughPng(folder, false, 5, 5, 1, 0, raw);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->colourType, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(plain->at(2, 0), (Pixel{64, 128, 100, 255}));
}

TEST(LosslessPng, ShortDataLeavesThePixelsItDoesNotCoverZero) {
  test::ScratchFolder folder;
  // 2 x 2 at 32 bits needs 16 bytes; 4 arrive.
  const auto png = throughPng(folder, true, 5, 2, 2, 0, {255, 1, 2, 3});
  ASSERT_TRUE(png);
  EXPECT_EQ(png->at(0, 0), (Pixel{1, 2, 3, 255}));
  EXPECT_EQ(png->at(1, 1), (Pixel{0, 0, 0, 0}));
}

}  // namespace
}  // namespace orvane
