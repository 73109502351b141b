#include "objects/RgbImage.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

/// 40 x 30: left half red, right half blue-grey, the bottom rows white.
RgbPicture testPicture() {
  RgbPicture picture;
  picture.width = 40;
  picture.height = 30;
  for (std::uint32_t y = 0; y < 30; ++y) {
    for (std::uint32_t x = 0; x < 40; ++x) {
      if (y >= 24) picture.pixels.insert(picture.pixels.end(), {255, 255, 255});
      else if (x < 20) picture.pixels.insert(picture.pixels.end(), {255, 0, 0});
      else picture.pixels.insert(picture.pixels.end(), {40, 80, 160});
    }
  }
  return picture;
}

/// An RgbImage holding testPicture(), loaded from an enhanced metafile.
void loadTestPicture(const test::ScratchFolder& folder, RgbImage& image) {
  test::writeFile(folder.file("source.emf"), emfWithBitmap(testPicture()));
  ASSERT_EQ(image.Load(folder.file("source.emf")), 0u);
  ASSERT_EQ(image.pixels(), testPicture().pixels);
}

std::vector<int> pixelAt(const RgbImage& image, std::uint32_t x, std::uint32_t y) {
  const std::size_t i = (std::size_t{y} * image.width() + x) * 3;
  return {image.pixels()[i], image.pixels()[i + 1], image.pixels()[i + 2]};
}

TEST(RgbImage, DetectTypeTrustsContentBeforeExtension) {
  test::ScratchFolder folder;
  test::writeFile(folder.file("photo.jpg"), {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
  EXPECT_EQ(RgbImage::DetectType(folder.file("photo.jpg")), ImageFileType::Png);
  test::writeFile(folder.file("x.tiff"), {1, 2, 3});
  EXPECT_EQ(RgbImage::DetectType(folder.file("x.tiff")), ImageFileType::Tiff);
  test::writeFile(folder.file("picture.Tga"), {0, 0, 2});
  EXPECT_EQ(RgbImage::DetectType(folder.file("picture.Tga")), ImageFileType::Tga);
  test::writeFile(folder.file("noextension"), {1, 2, 3});
  EXPECT_EQ(RgbImage::DetectType(folder.file("noextension")), ImageFileType::None);
  EXPECT_EQ(RgbImage::DetectType(folder.file("missing.pcx")), ImageFileType::Pcx);
}

TEST(RgbImage, ErrorTexts) {
  EXPECT_EQ(RgbImage::ErrorText(0), "no err");
  EXPECT_EQ(RgbImage::ErrorText(27), "invalid windows metafile");
  EXPECT_EQ(RgbImage::ErrorText(32), "bad TGA File");
  EXPECT_EQ(RgbImage::ErrorText(8), "Error #8!");
  EXPECT_EQ(RgbImage::ErrorText(33), "Error #33!");
}

TEST(RgbImage, LosslessFormatsRoundTripExactly) {
  test::ScratchFolder folder;
  RgbImage image;
  loadTestPicture(folder, image);
  for (const ImageFileType type : {ImageFileType::Png, ImageFileType::Bmp, ImageFileType::Pcx, ImageFileType::Tiff,
                                   ImageFileType::Tga, ImageFileType::Psd, ImageFileType::Wmf, ImageFileType::Emf,
                                   ImageFileType::PngPalette, ImageFileType::BmpPalette, ImageFileType::TgaPalette}) {
    SCOPED_TRACE(static_cast<int>(type));
    const std::string path = folder.file("copy" + std::to_string(static_cast<int>(type)) + ".tga");
    EXPECT_GT(image.Write(path, type), 0u);
    RgbImage copy;
    ASSERT_EQ(copy.Load(path), 0u);
    EXPECT_EQ(copy.width(), 40u);
    EXPECT_EQ(copy.height(), 30u);
    EXPECT_EQ(copy.pixels(), image.pixels());  // three colours fit any palette
  }
}

TEST(RgbImage, JpegAndGreyWriting) {
  test::ScratchFolder folder;
  RgbImage image;
  loadTestPicture(folder, image);

  ASSERT_GT(image.Write(folder.file("a.jpg"), ImageFileType::Jpeg), 0u);
  RgbImage jpeg;
  ASSERT_EQ(jpeg.Load(folder.file("a.jpg")), 0u);
  const std::vector<int> red = pixelAt(jpeg, 5, 5);
  EXPECT_NEAR(red[0], 255, 12);
  EXPECT_NEAR(red[1], 0, 12);
  EXPECT_NEAR(red[2], 0, 12);

  for (const ImageFileType type : {ImageFileType::JpegGrey, ImageFileType::PngGrey, ImageFileType::BmpGrey}) {
    SCOPED_TRACE(static_cast<int>(type));
    ASSERT_GT(image.Write(folder.file("grey"), type), 0u);
    RgbImage grey;
    ASSERT_EQ(grey.Load(folder.file("grey")), 0u);
    const std::vector<int> pixel = pixelAt(grey, 30, 5);
    EXPECT_EQ(pixel[0], pixel[1]);
    EXPECT_EQ(pixel[1], pixel[2]);
    EXPECT_NEAR(pixelAt(grey, 30, 27)[0], 255, 6);
  }

  // No writer: nothing written.
  EXPECT_EQ(image.Write(folder.file("none"), static_cast<ImageFileType>(15)), 0u);
  EXPECT_FALSE(test::fileExists(folder.file("none")));
  EXPECT_EQ(image.Write(folder.file("none"), ImageFileType::Wbmp), 0u);
}

TEST(RgbImage, JpegIntoMemoryNeverTruncates) {
  test::ScratchFolder folder;
  RgbImage image;
  loadTestPicture(folder, image);
  Bytes buffer(40 * 30 + 2000);
  const std::uint32_t length = image.WriteToMemory(buffer, ImageFileType::Jpeg);
  ASSERT_GT(length, 4u);
  EXPECT_EQ(buffer[0], 0xFF);
  EXPECT_EQ(buffer[1], 0xD8);
  EXPECT_EQ(buffer[length - 2], 0xFF);
  EXPECT_EQ(buffer[length - 1], 0xD9);

  Bytes tiny(16);
  EXPECT_EQ(image.WriteToMemory(tiny, ImageFileType::Jpeg), 0u);
  EXPECT_EQ(image.lastError(), 30u);
}

TEST(RgbImage, LoadFailuresGiveTheLibraryCodes) {
  test::ScratchFolder folder;
  RgbImage image;
  EXPECT_EQ(image.Load(folder.file("missing.png")), 2u);
  const Bytes garbage{1, 2, 3, 4, 5, 6, 7, 8};
  for (const auto& [name, code] : std::vector<std::pair<std::string, std::uint32_t>>{
           {"a.png", 15}, {"a.jpg", 9}, {"a.bmp", 6}, {"a.pcx", 22}, {"a.tif", 20}, {"a.tga", 32}, {"a.emf", 27}}) {
    test::writeFile(folder.file(name), garbage);
    EXPECT_EQ(image.Load(folder.file(name)), code) << name;
    EXPECT_FALSE(image.hasPicture());
  }
  // An enhanced metafile whose picture is not a bitmap record.
  Bytes emf = emfWithBitmap(testPicture());
  emf[88] = 42;
  test::writeFile(folder.file("drawing.emf"), emf);
  EXPECT_EQ(image.Load(folder.file("drawing.emf")), 27u);

  test::writeFile(folder.file("a.wbmp"), {0, 0, 2, 2, 0});
  EXPECT_EQ(image.Load(folder.file("a.wbmp")), 0u);
  EXPECT_FALSE(image.hasPicture());
  EXPECT_EQ(image.Write(folder.file("out.png"), ImageFileType::Png), 5u);
}

}  // namespace
}  // namespace orvane
