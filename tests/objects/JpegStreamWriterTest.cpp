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
  // First stream: one DQT segment of length 3, then the end of image.
  const Bytes body = concat({{0x01, 0x00}, {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x03, 0x01, 0xFF, 0xD9}, image});
  const ImageOutcome outcome = writers.ExtractJpeg2(shortTag(21, body, folder.file("a.jpg")));
  EXPECT_EQ(outcome.status, ScanStatus::Success);
  EXPECT_TRUE(outcome.collect);
  EXPECT_EQ(test::readFile(folder.file("a.jpg")),
            (Bytes{0xFF, 0xD8, 0x0A, 0x0B, 0xFF, 0xDB, 0x00, 0x03, 0x01, 0xFF, 0xDA, 0x0C, 0x0D, 0xFF, 0xD9, 0xFF,
                   0xD9}));
}

TEST(JpegStreamWriter, Jpeg2PrefixOfOlderMoviesIsDroppedButAWholeImageStreamIsKept) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  Bytes image{0xFF, 0xDB, 0x00, 0x03, 0x05, 0xFF, 0xDA};
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

  // A whole image stream: its segments lead to a scan, not to an end of image.
  const Bytes whole = concat({{0xFF, 0xD8}, image});
  ASSERT_EQ(writers.ExtractJpeg2(shortTag(21, concat({{1, 0}, whole}), folder.file("c"))).status,
            ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("c")), concat({whole, {0xFF, 0xD9}}));
}

TEST(JpegStreamWriter, AShortFirstStreamWithAFrameHeaderIsAThumbnailNotTables) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  // A JFIF file whose APP0 segment (length 0x10) carries a thumbnail: the first 0xFF 0xD9
  // ends the thumbnail, but the walk skips the whole APP0 segment and meets the main
  // picture's frame header (0xFF 0xC0).
  Bytes picture{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'X', 'X', 0x00, 0xFF, 0xD8, 0xFF, 0xC0, 0x01,
                0x02, 0x03, 0xFF, 0xD9, 0xFF, 0xDB, 0x00, 0x03, 0x05, 0xFF, 0xC0, 0x00, 0x02, 0xFF, 0xDA};
  picture.insert(picture.end(), 60, 0x07);
  picture.insert(picture.end(), {0xFF, 0xD9});
  ASSERT_EQ(writers.ExtractJpeg2(shortTag(21, concat({{1, 0}, picture}), folder.file("t.jpg"))).status,
            ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("t.jpg")), concat({picture, {0xFF, 0xD9}}));
}

TEST(JpegStreamWriter, TableStreamIsFoundByWalkingItsSegments) {
  // DQT (length 4), a fill byte, DHT (length 7) whose table bytes hold 0xFF 0xFF 0xD9 and
  // 0xFF 0xDA, then the end of image at offset 18: 16 bytes lie between the two markers.
  const Bytes tables{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x04, 0x00, 0x01, 0xFF, 0xFF,
                     0xC4, 0x00, 0x07, 0xFF, 0xFF, 0xD9, 0xFF, 0xDA, 0xFF, 0xD9};
  EXPECT_EQ(tableStreamLength(tables), std::optional<std::size_t>(16));
  // A restart marker has no length field; the end follows it directly.
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xD0, 0xFF, 0xD9}), std::optional<std::size_t>(2));
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xD9}), std::optional<std::size_t>(0));

  // Image streams: a frame header, a scan, or a second start of image before the end.
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0xFF, 0xD9}), std::nullopt);
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xC2, 0x00, 0x02, 0xFF, 0xD9}), std::nullopt);
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0xFF, 0xD9}), std::nullopt);
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xD8, 0xFF, 0xD9}), std::nullopt);
  // Segments that do not line up, a length past the data, a length below 2, no end at all,
  // a cut marker, no start of image.
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x03, 0x01, 0x02, 0xFF, 0xD9}), std::nullopt);
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x40, 0xFF, 0xD9}), std::nullopt);
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x01, 0xFF, 0xD9}), std::nullopt);
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x02}), std::nullopt);
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD8, 0xFF}), std::nullopt);
  EXPECT_EQ(tableStreamLength(Bytes{0xFF, 0xD9, 0xFF, 0xD8, 0xFF, 0xD9}), std::nullopt);
}

TEST(JpegStreamWriter, TableStreamOfAnyShareOfTheTagIsMerged) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  // A DHT segment of 44 bytes whose last table byte is 0xFF: taken in pairs, that byte and
  // the real end's 0xFF hide the end of the table stream. The table stream is 44 of the
  // tag's 59 bytes (JPEG2) and of 55 bytes of JPEG data (JPEG3), over three quarters.
  Bytes tables{0xFF, 0xC4, 0x00, 0x2A, 0xFF, 0xFF, 0xD9};
  tables.resize(44, 0x10);
  tables.back() = 0xFF;
  const Bytes image{0xFF, 0xD8, 0xFF, 0xDA, 0x0C, 0xFF, 0xD9};
  const Bytes data = concat({{0xFF, 0xD8}, tables, {0xFF, 0xD9}, image});
  const Bytes merged = concat({{0xFF, 0xD8}, tables, {0xFF, 0xDA, 0x0C, 0xFF, 0xD9, 0xFF, 0xD9}});

  ASSERT_EQ(writers.ExtractJpeg2(shortTag(21, concat({{0x01, 0x00}, data}), folder.file("j2.jpg"))).status,
            ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("j2.jpg")), merged);

  // JPEG3: the alpha data behind the JPEG data never reaches the file.
  const Bytes jpeg3 = concat({{1, 0, static_cast<std::uint8_t>(data.size()), 0, 0, 0}, data, {0x77, 0x77}});
  ASSERT_EQ(writers.ExtractJpeg3(shortTag(35, jpeg3, folder.file("j3.jpg"))).status, ScanStatus::Success);
  EXPECT_EQ(test::readFile(folder.file("j3.jpg")), merged);
}

TEST(JpegStreamWriter, NothingLeftToCopyLeavesNoFileAndNoObject) {
  test::ScratchFolder folder;
  ObjectFileWriters writers;
  for (const Bytes& body : {Bytes{1, 0}, Bytes{1, 0, 0xFF, 0xD9, 0xFF, 0xD8},
                            Bytes{1, 0, 0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x03, 0x01, 0xFF, 0xD9}}) {
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
