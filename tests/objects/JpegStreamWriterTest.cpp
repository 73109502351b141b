#include "objects/JpegStreamWriter.h"

#include <gtest/gtest.h>

#include "objects/ObjectFileWriters.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

/// A tag in short form at offset 0: header of 2 bytes, then the body.
ImageTag shortTag(std::uint16_t code, const Bytes& body, const std::string& path) {
  ImageTag tag;
  tag.header.code = code;
  tag.header.length = static_cast<std::uint32_t>(body.size());
  tag.header.headerOffset = 0;
  tag.header.bodyOffset = 2;
  tag.header.bodyEnd = 2 + body.size();
  tag.body = body;
  tag.characterId = 1;
  tag.path = path;
  return tag;
}

TEST(JpegStreamWriter, TableBlockIsTheBodyWithoutItsImageMarkers) {
  const Bytes stored{0xFF, 0xD8, 0xFF, 0xDB, 0x01, 0xFF, 0xD9};
  const auto tables = jpegTableBlock(stored);
  EXPECT_EQ(Bytes(tables.begin(), tables.end()), (Bytes{0xFF, 0xDB, 0x01}));
  const Bytes bare{0xFF, 0xC4, 0x02};
  const auto block = jpegTableBlock(bare);
  EXPECT_EQ(Bytes(block.begin(), block.end()), bare);
}

TEST(JpegStreamWriter, DefineBitsGetsTheTablesBeforeItsFirstStartOfScan) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  Bytes tables;
  ASSERT_EQ(writers.ExtractJpegTables(Bytes{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0xFF, 0xD9}, tables),
            ScanStatus::Success);
  EXPECT_EQ(tables, (Bytes{0xFF, 0xDB, 0x00, 0x43}));

  const Bytes body{0x01, 0x00,                                   // character id
                   0xFF, 0xD8, 0xFF, 0xE0, 0x01,                 // start of image, APP0
                   0xFF, 0xDA, 0x02, 0xFF, 0xDA, 0x03, 0xFF, 0xD9};
  const ImageOutcome outcome = writers.ExtractDefineBits(shortTag(6, body, folder.file("a.jpg")), tables);
  EXPECT_EQ(outcome.status, ScanStatus::Success);
  EXPECT_TRUE(outcome.collect);
  EXPECT_TRUE(outcome.viewable);
  EXPECT_EQ(test::readFile(folder.file("a.jpg")),
            (Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x01, 0xFF, 0xDB, 0x00, 0x43, 0xFF, 0xDA, 0x02, 0xFF, 0xDA, 0x03, 0xFF,
                   0xD9}));

  const ImageOutcome unopenable =
      writers.ExtractDefineBits(shortTag(6, body, folder.file("missing/a.jpg")), tables);
  EXPECT_EQ(unopenable.status, ScanStatus::OpenError);
  EXPECT_FALSE(unopenable.collect);
}

TEST(JpegStreamWriter, Jpeg2TableStreamInFrontIsMergedIntoTheImageStream) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  const Bytes image{0xFF, 0xD8, 0x0A, 0x0B, 0xFF, 0xDA, 0x0C, 0x0D, 0xFF, 0xD9};
  // First stream: 3 bytes; tag length 2 + 2 + 17 = 21, three quarters 15.75 > 3.
  const Bytes body = concat({{0x01, 0x00}, {0xFF, 0xD8, 0xFF, 0xDB, 0x01, 0xFF, 0xD9}, image});
  const ImageOutcome outcome = writers.ExtractJpeg2(shortTag(21, body, folder.file("a.jpg")));
  EXPECT_EQ(outcome.status, ScanStatus::Success);
  EXPECT_TRUE(outcome.collect);
  EXPECT_EQ(test::readFile(folder.file("a.jpg")),
            (Bytes{0xFF, 0xD8, 0x0A, 0x0B, 0xFF, 0xDB, 0x01, 0xFF, 0xDA, 0x0C, 0x0D, 0xFF, 0xD9, 0xFF, 0xD9}));
}

TEST(JpegStreamWriter, Jpeg2PrefixOfOlderMoviesIsDroppedButAWholeImageStreamIsKept) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  Bytes image{0xFF, 0xDB, 0x05, 0xFF, 0xDA};
  image.insert(image.end(), 40, 0x06);
  image.insert(image.end(), {0xFF, 0xD9});

  ASSERT_EQ(writers.ExtractJpeg2(shortTag(21, concat({{1, 0}, {0xFF, 0xD9, 0xFF, 0xD8}, image}), folder.file("a")))
                .status,
            ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("a")), concat({image, {0xFF, 0xD9}}));

  ASSERT_EQ(writers.ExtractJpeg2(shortTag(21, concat({{1, 0}, {0xFF, 0xD8, 0xFF, 0xD9}, image}), folder.file("b")))
                .status,
            ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("b")), concat({image, {0xFF, 0xD9}}));

  // A whole image stream: its first stream is far over three quarters of the tag.
  const Bytes whole = concat({{0xFF, 0xD8}, image});
  ASSERT_EQ(writers.ExtractJpeg2(shortTag(21, concat({{1, 0}, whole}), folder.file("c"))).status,
            ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("c")), concat({whole, {0xFF, 0xD9}}));
}

TEST(JpegStreamWriter, AShortFirstStreamWithAFrameHeaderIsAThumbnailNotTables) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  // A JFIF file whose APP0 extension carries a thumbnail: the first 0xFF 0xD9 ends the
  // thumbnail, so the first stream is short, but it holds a frame header (0xFF 0xC0).
  Bytes picture{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'X', 'X', 0x00, 0x10,
                0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x04, 0x01, 0x02, 0xFF, 0xDA, 0x03, 0xFF, 0xD9,
                0xFF, 0xDB, 0x05, 0xFF, 0xC0, 0x06, 0xFF, 0xDA};
  picture.insert(picture.end(), 60, 0x07);
  picture.insert(picture.end(), {0xFF, 0xD9});
  ASSERT_EQ(writers.ExtractJpeg2(shortTag(21, concat({{1, 0}, picture}), folder.file("t.jpg"))).status,
            ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("t.jpg")), concat({picture, {0xFF, 0xD9}}));
}

TEST(JpegStreamWriter, FirstStreamOfExactlyThreeQuartersIsImageData) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  // JPEG3: the reference length is AlphaDataOffset, here 32 bytes of JPEG data.
  const auto jpegData = [](std::size_t firstStream) {
    Bytes data{0xFF, 0xD8};
    data.insert(data.end(), firstStream, 0x11);
    data.insert(data.end(), {0xFF, 0xD9});
    data.insert(data.end(), {0x22, 0xFF, 0xDA});
    data.resize(32, 0x33);
    return data;
  };
  const auto tagOf = [](const Bytes& data, const Bytes& alpha) {
    return concat({{1, 0, static_cast<std::uint8_t>(data.size()), 0, 0, 0}, data, alpha});
  };

  const Bytes atThreeQuarters = jpegData(24);  // 0.75 x 32 = 24 is not greater than 24
  ASSERT_EQ(writers.ExtractJpeg3(shortTag(35, tagOf(atThreeQuarters, {0x77, 0x77}), folder.file("a"))).status,
            ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("a")), concat({atThreeQuarters, {0xFF, 0xD9}}));

  const Bytes below = jpegData(23);
  ASSERT_EQ(writers.ExtractJpeg3(shortTag(35, tagOf(below, {0x77, 0x77}), folder.file("b"))).status,
            ScanStatus::Success);
  Bytes expected{0x22};
  expected.insert(expected.end(), 23, 0x11);
  expected.insert(expected.end(), {0xFF, 0xDA});
  expected.insert(expected.end(), 32 - 2 - 23 - 2 - 3, 0x33);
  expected.insert(expected.end(), {0xFF, 0xD9});
  EXPECT_EQ(test::readFile(folder.file("b")), expected);  // the alpha data never arrives
}

TEST(JpegStreamWriter, LongTagLengthCountsItsSixByteHeader) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  // A first stream of 30 bytes in 36 bytes of data: body 38; in short form the tag is 40
  // bytes (three quarters 30, not above 30: image data), in long form 44 (33: tables).
  Bytes data{0xFF, 0xD8};
  data.insert(data.end(), 30, 0x11);
  data.insert(data.end(), {0xFF, 0xD9, 0x44, 0x55});
  const Bytes body = concat({{1, 0}, data});
  ImageTag tag = shortTag(21, body, folder.file("short"));
  ASSERT_EQ(writers.ExtractJpeg2(tag).status, ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("short")), concat({data, {0xFF, 0xD9}}));

  tag.header.bodyOffset = 6;
  tag.path = folder.file("long");
  ASSERT_EQ(writers.ExtractJpeg2(tag).status, ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("long")), (Bytes{0x44, 0x55, 0xFF, 0xD9}));
}

TEST(JpegStreamWriter, NothingLeftToCopyLeavesNoFileAndNoObject) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  for (const Bytes& body : {Bytes{1, 0}, Bytes{1, 0, 0xFF, 0xD9, 0xFF, 0xD8},
                            Bytes{1, 0, 0xFF, 0xD8, 0xFF, 0xDB, 0x01, 0xFF, 0xD9}}) {
    const ImageOutcome outcome = writers.ExtractJpeg2(shortTag(21, body, folder.file("a.jpg")));
    EXPECT_EQ(outcome.status, ScanStatus::Success);
    EXPECT_FALSE(outcome.collect);
    EXPECT_FALSE(test::fileExists(folder.file("a.jpg")));
  }
  const ImageOutcome jpeg3 = writers.ExtractJpeg3(shortTag(35, Bytes{1, 0, 0, 0, 0, 0, 0xFF, 0xD8}, folder.file("b")));
  EXPECT_EQ(jpeg3.status, ScanStatus::Success);
  EXPECT_FALSE(jpeg3.collect);
  EXPECT_FALSE(test::fileExists(folder.file("b")));
}

}  // namespace
}  // namespace orvane
