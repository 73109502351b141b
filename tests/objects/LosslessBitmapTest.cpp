#include "objects/LosslessBitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "objects/ObjectFileWriters.h"
#include "tests/objects/ObjectTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Written {
  ImageOutcome outcome;
  std::string errorText;
  std::optional<test::DecodedJpeg> jpeg;
};

/// Runs ExtractLossless over a DefineBitsLossless(2) body and decodes the file written.
Written extract(const test::ScratchFolder& folder, bool alpha, std::uint8_t format, std::uint16_t width,
                std::uint16_t height, std::uint8_t tableSize, const Bytes& zlibData) {
  test::ByteWriter body;
  body.u16(7).u8(format).u16(width).u16(height);
  if (format == 3) body.u8(tableSize);
  body.bytes(zlibData);
  ImageTag tag;
  tag.header.code = alpha ? 36 : 20;
  tag.body = body.data();
  tag.characterId = 7;
  tag.path = folder.file("swfextract7.jpg");
  std::remove(tag.path.c_str());
  ObjectFileWriters writers;
  Written written;
  written.outcome = writers.ExtractLossless(tag, alpha ? 4 : 3, written.errorText);
  if (test::fileExists(tag.path)) written.jpeg = test::decodeJpeg(test::readFile(tag.path));
  return written;
}

void expectColour(const test::DecodedJpeg& jpeg, int x, int y, std::vector<int> rgb) {
  const std::vector<int> actual = jpeg.at(x, y);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], rgb[c], 12) << "pixel " << x << "," << y << " channel " << c;
}

TEST(LosslessBitmap, ColourMappedImagesKeepThePaddedWidth) {
  test::ScratchFolder folder;
  for (const bool alpha : {false, true}) {
    // Two entries: red, blue; 30 x 16 pixels in rows padded to 32, left half red.
    Bytes data = alpha ? Bytes{255, 0, 0, 255, 0, 0, 255, 255} : Bytes{255, 0, 0, 0, 0, 255};
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 32; ++x) data.push_back(x < 16 ? 0 : 1);
    const Written written = extract(folder, alpha, 3, 30, 16, 1, test::zlibCompress(data));
    ASSERT_EQ(written.outcome.status, ScanStatus::Success);
    EXPECT_TRUE(written.outcome.collect);
    EXPECT_TRUE(written.outcome.viewable);
    ASSERT_TRUE(written.jpeg);
    EXPECT_EQ(written.jpeg->width, 32);
    EXPECT_EQ(written.jpeg->height, 16);
    expectColour(*written.jpeg, 4, 8, {255, 0, 0});
    expectColour(*written.jpeg, 27, 8, {0, 0, 255});
  }

  // Width 5 becomes 8; indices past the table find black.
  Bytes small{255, 255, 255};
  small.resize(3 + 8 * 8, 200);
  const Written written = extract(folder, false, 3, 5, 8, 0, test::zlibCompress(small));
  ASSERT_TRUE(written.jpeg);
  EXPECT_EQ(written.jpeg->width, 8);
  expectColour(*written.jpeg, 4, 4, {0, 0, 0});
}

TEST(LosslessBitmap, FifteenBitPixelsWidenEachChannel) {
  test::ScratchFolder folder;
  // 17 x 16 pixels, rows of 34 bytes padded to 36: left 8 columns red, the rest grey 16/31
  // of each channel, which widens to (16 << 3) | (16 >> 2) = 132.
  Bytes data;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 17; ++x) {
      const std::uint16_t pixel = x < 8 ? 0x7C00 : 0x4210;
      data.push_back(static_cast<std::uint8_t>(pixel >> 8));
      data.push_back(static_cast<std::uint8_t>(pixel));
    }
    data.insert(data.end(), {0xFF, 0xFF});
  }
  const Written written = extract(folder, false, 4, 17, 16, 0, test::zlibCompress(data));
  ASSERT_EQ(written.outcome.status, ScanStatus::Success);
  ASSERT_TRUE(written.jpeg);
  EXPECT_EQ(written.jpeg->width, 17);
  expectColour(*written.jpeg, 2, 8, {255, 0, 0});
  expectColour(*written.jpeg, 13, 8, {132, 132, 132});
}

TEST(LosslessBitmap, ThirtyTwoBitPixelsDropAlphaAndUncoveredPixelsAreBlack) {
  test::ScratchFolder folder;
  // 16 x 16 pixels, only the first 8 rows in the data: green with alpha 0x80.
  Bytes data;
  for (int i = 0; i < 16 * 8; ++i) data.insert(data.end(), {0x80, 0, 255, 0});
  const Written written = extract(folder, true, 5, 16, 16, 0, test::zlibCompress(data));
  ASSERT_EQ(written.outcome.status, ScanStatus::Success);
  ASSERT_TRUE(written.jpeg);
  EXPECT_EQ(written.jpeg->width, 16);
  EXPECT_EQ(written.jpeg->height, 16);
  expectColour(*written.jpeg, 8, 2, {0, 255, 0});
  expectColour(*written.jpeg, 8, 13, {0, 0, 0});
}

TEST(LosslessBitmap, UnsupportedBadAndEmptyBitmaps) {
  test::ScratchFolder folder;
  const Bytes pixels = test::zlibCompress(Bytes(64, 0));

  const Written format2 = extract(folder, false, 2, 4, 4, 0, pixels);
  EXPECT_EQ(format2.outcome.status, ScanStatus::UnsupportedVariant);
  EXPECT_FALSE(format2.outcome.collect);

  // 8192 x 8193 is over 64 megapixels; colour-mapped width 8189 counts as 8192.
  EXPECT_EQ(extract(folder, false, 5, 8192, 8193, 0, pixels).outcome.status, ScanStatus::UnsupportedVariant);
  EXPECT_EQ(extract(folder, false, 3, 8189, 8193, 0, pixels).outcome.status, ScanStatus::UnsupportedVariant);

  const Written damaged = extract(folder, false, 5, 4, 4, 0, Bytes{0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(damaged.outcome.status, ScanStatus::InflateError);
  EXPECT_FALSE(damaged.outcome.collect);
  EXPECT_EQ(damaged.errorText.rfind("Zlib data error : ", 0), 0u) << damaged.errorText;
  EXPECT_FALSE(damaged.jpeg);

  // Nothing to encode: the object is listed but cannot be shown.
  const Written empty = extract(folder, false, 5, 0, 4, 0, test::zlibCompress({}));
  EXPECT_EQ(empty.outcome.status, ScanStatus::Success);
  EXPECT_TRUE(empty.outcome.collect);
  EXPECT_FALSE(empty.outcome.viewable);
}

TEST(LosslessBitmap, InflateStopsWhenTheBufferIsFull) {
  std::string errorText;
  const Bytes data(100, 0x5A);
  const auto inflated = InflateBitmap(test::zlibCompress(data), 40, errorText);
  ASSERT_TRUE(inflated);
  EXPECT_EQ(inflated->produced, 40u);
  EXPECT_EQ(inflated->bytes, Bytes(40, 0x5A));

  const auto shortData = InflateBitmap(test::zlibCompress(Bytes(10, 1)), 40, errorText);
  ASSERT_TRUE(shortData);
  EXPECT_EQ(shortData->produced, 10u);
  EXPECT_EQ(shortData->bytes[10], 0);
  EXPECT_TRUE(errorText.empty());
}

}  // namespace
}  // namespace orvane
