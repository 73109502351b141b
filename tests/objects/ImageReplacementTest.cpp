#include "objects/ImageReplacement.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "movie/MovieCompressor.h"
#include "objects/Metafile.h"
#include "objects/RgbImage.h"
#include "tests/objects/ObjectTestSupport.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;

constexpr char kFailed[] = "An Error has Occured, Replacement Failed:\n\n";

/// A 24 x 16 PNG, green on top of yellow.
std::string writePicture(const test::ScratchFolder& folder) {
  RgbPicture picture;
  picture.width = 24;
  picture.height = 16;
  for (std::uint32_t y = 0; y < 16; ++y)
    for (std::uint32_t x = 0; x < 24; ++x)
      picture.pixels.insert(picture.pixels.end(), {static_cast<std::uint8_t>(y < 8 ? 0 : 255), 200, 0});
  test::writeFile(folder.file("picture.emf"), emfWithBitmap(picture));
  RgbImage image;
  EXPECT_EQ(image.Load(folder.file("picture.emf")), 0u);
  EXPECT_GT(image.Write(folder.file("picture.png"), ImageFileType::Png), 0u);
  return folder.file("picture.png");
}

struct ReplaceFixture {
  ReplaceFixture() {
    test::MovieBuilder movie(5);
    movie.jpegTables({0xFF, 0xD8, 0xFF, 0xD9})
        .defineBits(1, {0xFF, 0xD8, 0xFF, 0xD9})
        .defineBitsLossless(false, 2, 5, 2, 2, 0, test::zlibCompress(Bytes(16, 0x7F)))
        .doAction({0x07, 0x00})
        .showFrame()
        .end();
    original = movie.build();
    test::writeFile(path, original);
    EXPECT_EQ(scanFixture.scan(original), ScanStatus::Success);
  }
  const ImageObject& image(std::uint16_t id) const {
    const ImageObject* found = scanFixture.result.findImage(id, false);
    EXPECT_NE(found, nullptr);
    return *found;
  }
  bool replace(std::uint16_t id, const std::string& picture) {
    return replaceImage(path, scanFixture.result, image(id), picture, sink);
  }

  test::ScratchFolder folder;
  std::string path = folder.file("a.swf");
  std::string picture = writePicture(folder);
  Bytes original;
  test::ScanFixture scanFixture;
  RecordingMessageSink sink;
};

TEST(ImageReplacement, NewTagBytesAndTemporaryNames) {
  // Even a stream shorter than 63 bytes gets the long length form.
  EXPECT_EQ(jpeg2TagBytes(0x0109, Bytes{0xFF, 0xD8, 0xFF, 0xD9}),
            (Bytes{0x7F, 0x05, 0x0A, 0x00, 0x00, 0x00, 0x09, 0x01, 0xFF, 0xD9, 0xFF, 0xD8, 0xFF, 0xD8, 0xFF, 0xD9}));
  EXPECT_EQ(secondTemporaryPath("/movies/a.swf"), "/movies/ac.swft");
}

TEST(ImageReplacement, LosslessImageBecomesJpeg2AtItsPlace) {
  ReplaceFixture fixture;
  const ImageObject old = fixture.image(2);
  ASSERT_TRUE(fixture.replace(2, fixture.picture));
  ASSERT_EQ(fixture.sink.messages().size(), 1u);
  EXPECT_EQ(fixture.sink.messages()[0], (Message{"Orvane - Image Replacement Finished",
                                                 "The SWF File Will Now Need to be re-scanned",
                                                 MessageIcon::Information}));
  EXPECT_FALSE(test::fileExists(fixture.path + "t"));
  EXPECT_FALSE(test::fileExists(fixture.folder.file("ac.swft")));

  const Bytes after = test::readFile(fixture.path);
  EXPECT_EQ(test::u32At(after, 4), after.size());
  EXPECT_EQ(Bytes(after.begin() + 8, after.begin() + old.headerOffset),
            Bytes(fixture.original.begin() + 8, fixture.original.begin() + old.headerOffset));
  const std::size_t tagAt = old.headerOffset;
  EXPECT_EQ(test::u16At(after, tagAt), 21u << 6 | 0x3F);
  const std::uint32_t bodyLength = test::u32At(after, tagAt + 2);
  EXPECT_EQ(test::u16At(after, tagAt + 6), 2u);
  EXPECT_EQ(Bytes(after.begin() + tagAt + 8, after.begin() + tagAt + 12), (Bytes{0xFF, 0xD9, 0xFF, 0xD8}));
  const std::size_t bodyEnd = tagAt + 6 + bodyLength;
  const auto jpeg = test::decodeJpeg(Bytes(after.begin() + tagAt + 12, after.begin() + bodyEnd));
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->width, 24);
  EXPECT_EQ(jpeg->height, 16);
  EXPECT_EQ(Bytes(after.begin() + bodyEnd, after.end()), Bytes(fixture.original.begin() + old.bodyEnd, fixture.original.end()));
  EXPECT_EQ(after.size(), fixture.original.size() - (old.bodyEnd - old.headerOffset) + (bodyEnd - tagAt));

  test::ScanFixture again;
  ASSERT_EQ(again.scan(after), ScanStatus::Success);
  const ImageObject* replaced = again.result.findImage(2, false);
  ASSERT_NE(replaced, nullptr);
  EXPECT_EQ(replaced->typeName, "DefineBitsJPEG2");
  EXPECT_EQ(replaced->headerOffset, old.headerOffset);
  EXPECT_EQ(again.timeline(0).actionCount(), 1u);
}

TEST(ImageReplacement, DefineBitsReplacementKeepsTheJpegTables) {
  ReplaceFixture fixture;
  const ImageObject old = fixture.image(1);
  ASSERT_TRUE(fixture.replace(1, fixture.picture));
  const Bytes after = test::readFile(fixture.path);
  // Everything in front of the old tag, the JPEGTables tag included, is as it was.
  EXPECT_EQ(Bytes(after.begin() + 8, after.begin() + old.headerOffset),
            Bytes(fixture.original.begin() + 8, fixture.original.begin() + old.headerOffset));
  test::ScanFixture again;
  ASSERT_EQ(again.scan(after), ScanStatus::Success);
  ASSERT_EQ(again.timeline(0).imageCount(), 3u);
  EXPECT_EQ(again.timeline(0).images[0]->typeName, "DefineJPEGTable");
  EXPECT_EQ(again.timeline(0).images[1]->typeName, "DefineBitsJPEG2");
  EXPECT_EQ(again.timeline(0).images[1]->characterId, 1u);
  EXPECT_EQ(again.timeline(0).images[2]->typeName, "DefineBitsLossless");
}

TEST(ImageReplacement, CompressedMoviesKeepTheirCompression) {
  for (const MovieCompression compression : {MovieCompression::Zlib, MovieCompression::Lzma}) {
    SCOPED_TRACE(compressionName(compression));
    ReplaceFixture fixture;
    test::writeFile(fixture.path, *compressMovieImage(fixture.original, compression));
    ASSERT_TRUE(fixture.replace(2, fixture.picture));
    EXPECT_FALSE(test::fileExists(fixture.path + "t"));
    EXPECT_FALSE(test::fileExists(fixture.folder.file("ac.swft")));

    MovieSource source;
    ASSERT_EQ(source.load(fixture.path), ScanStatus::Success) << source.damage();
    EXPECT_EQ(source.compression(), compression);
    test::ScanFixture again;
    ASSERT_EQ(again.scan(source.image()), ScanStatus::Success);
    ASSERT_NE(again.result.findImage(2, false), nullptr);
    EXPECT_EQ(again.result.findImage(2, false)->typeName, "DefineBitsJPEG2");
    EXPECT_EQ(again.timeline(0).actionCount(), 1u);

    // The changed movie is compared with the scan as its uncompressed image.
    Bytes changed = fixture.original;
    changed[fixture.image(2).headerOffset + 2] ^= 0x01;  // the character id
    const Bytes storedChange = *compressMovieImage(changed, compression);
    test::writeFile(fixture.path, storedChange);
    EXPECT_FALSE(fixture.replace(2, fixture.picture));
    EXPECT_EQ(fixture.sink.messages().back().text,
              kFailed + std::string("The SWF File has changed since it was scanned, please scan it again"));
    EXPECT_EQ(test::readFile(fixture.path), storedChange);
  }
}

TEST(ImageReplacement, FailuresLeaveTheMovieAsItWas) {
  ReplaceFixture fixture;
  EXPECT_FALSE(fixture.replace(2, fixture.folder.file("missing.png")));
  test::writeFile(fixture.folder.file("broken.png"), {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 1, 2, 3});
  EXPECT_FALSE(fixture.replace(2, fixture.folder.file("broken.png")));

  // The temporary file cannot be created (its name is taken by a folder).
  std::filesystem::create_directory(fixture.path + "t");
  EXPECT_FALSE(fixture.replace(2, fixture.picture));
  std::filesystem::remove(fixture.path + "t");

  // Changed on disk since the scan: the same header, another tag at the image's place.
  const std::uint32_t tagAt = fixture.image(2).headerOffset;
  for (const std::uint32_t changedByte : {tagAt, tagAt + 2}) {  // the short tag's length, its character id
    Bytes changed = fixture.original;
    changed[changedByte] ^= 0x01;
    test::writeFile(fixture.path, changed);
    EXPECT_FALSE(fixture.replace(2, fixture.picture));
    EXPECT_EQ(test::readFile(fixture.path), changed);
  }
  test::writeFile(fixture.path, fixture.original);

  EXPECT_FALSE(replaceImage(fixture.folder.file("gone.swf"), fixture.scanFixture.result, fixture.image(2),
                            fixture.picture, fixture.sink));

  EXPECT_EQ(test::readFile(fixture.path), fixture.original);
  const std::vector<std::string> reasons = {"error on file open", "bad PNG file", "Couldn't open temp file for writing",
                                            "The SWF File has changed since it was scanned, please scan it again",
                                            "The SWF File has changed since it was scanned, please scan it again",
                                            "Couldn't open orignal swf file for writing"};
  ASSERT_EQ(fixture.sink.messages().size(), reasons.size());
  for (std::size_t i = 0; i < reasons.size(); ++i) EXPECT_EQ(fixture.sink.messages()[i].text, kFailed + reasons[i]);
  EXPECT_FALSE(test::fileExists(fixture.folder.file("ac.swft")));
}

}  // namespace
}  // namespace orvane
