#include "objects/ImageConversion.h"

#include <gtest/gtest.h>

#include "objects/Metafile.h"
#include "objects/RgbImage.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

TEST(ImageConversion, PixelSizeRoundsHimetricToTheNearestPixel) {
  // (himetric x dpi + 1270) / 2540: 2540 hundredths of a millimetre are one inch.
  EXPECT_EQ(pixelsFromHimetric(2540, 96), 96);
  EXPECT_EQ(pixelsFromHimetric(13, 96), 0);     // 2518 / 2540
  EXPECT_EQ(pixelsFromHimetric(14, 96), 1);     // 2614 / 2540
  EXPECT_EQ(pixelsFromHimetric(14552, 96), 550);  // 1398262 / 2540 = 550.49
  EXPECT_EQ(pixelsFromHimetric(14552, 72), 412);  // 1049014 / 2540 = 412.99, rounded down
  EXPECT_EQ(pictureSizeText(550, 400), "Width : 550 , Height : 400");
}

TEST(ImageConversion, ConvertsIntoEveryWrittenType) {
  test::ScratchFolder folder;
  RgbPicture picture;
  picture.width = 8;
  picture.height = 4;
  for (int i = 0; i < 32; ++i) picture.pixels.insert(picture.pixels.end(), {200, 30, static_cast<std::uint8_t>(i * 8)});
  const std::string source = folder.file("source.emf");
  test::writeFile(source, emfWithBitmap(picture));

  struct Row {
    std::uint32_t number;
    const char* name;
    std::vector<std::uint8_t> signature;
  };
  const Row rows[] = {{1, "a.jpg", {0xFF, 0xD8}},       {2, "b.jpg", {0xFF, 0xD8}},     {3, "c.png", {0x89, 'P', 'N', 'G'}},
                      {7, "d.bmp", {'B', 'M'}},         {12, "e.tif", {'I', 'I', 42, 0}}, {20, "f.psd", {'8', 'B', 'P', 'S'}},
                      {23, "g.emf", {1, 0, 0, 0}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ImageFileType type = imageFileTypeFromNumber(row.number);
    ASSERT_EQ(convertPicture(source, folder.file(row.name), type), 0u);
    const std::vector<std::uint8_t> written = test::readFile(folder.file(row.name));
    ASSERT_GE(written.size(), row.signature.size());
    EXPECT_TRUE(std::equal(row.signature.begin(), row.signature.end(), written.begin()));
    RgbImage back;
    if (row.number != 23) {
      ASSERT_EQ(back.Load(folder.file(row.name)), 0u);
      EXPECT_EQ(back.width(), 8u);
      EXPECT_EQ(back.height(), 4u);
    }
  }
}

TEST(ImageConversion, FailuresGiveTheLibraryCodes) {
  test::ScratchFolder folder;
  EXPECT_EQ(convertPicture(folder.file("missing.png"), folder.file("out.jpg"), ImageFileType::Jpeg), 2u);
  test::writeFile(folder.file("bad.png"), {1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(convertPicture(folder.file("bad.png"), folder.file("out.jpg"), ImageFileType::Jpeg), 15u);
  // A WBMP cannot be read, and nothing can be written as WBMP.
  test::writeFile(folder.file("a.wbmp"), {0, 0, 2, 2, 0});
  EXPECT_EQ(convertPicture(folder.file("a.wbmp"), folder.file("out.jpg"), ImageFileType::Jpeg), 5u);
  RgbPicture picture;
  picture.width = 1;
  picture.height = 1;
  picture.pixels = {1, 2, 3};
  test::writeFile(folder.file("one.emf"), emfWithBitmap(picture));
  EXPECT_EQ(convertPicture(folder.file("one.emf"), folder.file("out.wbmp"), ImageFileType::Wbmp), 5u);
  EXPECT_FALSE(test::fileExists(folder.file("out.wbmp")));
  EXPECT_EQ(convertPicture(folder.file("one.emf"), folder.file("no/such/folder.png"), ImageFileType::Png), 2u);

  EXPECT_EQ(imageFileTypeFromNumber(0), ImageFileType::None);
  EXPECT_EQ(imageFileTypeFromNumber(15), ImageFileType::None);
  EXPECT_EQ(imageFileTypeFromNumber(25), ImageFileType::None);
  EXPECT_EQ(imageFileTypeFromNumber(24), ImageFileType::Wbmp);
  EXPECT_EQ(imageFileTypeFromNumber(16), ImageFileType::Tga);
}

}  // namespace
}  // namespace orvane
