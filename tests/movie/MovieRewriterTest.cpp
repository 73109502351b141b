#include "movie/MovieRewriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "movie/BitWriter.h"
#include "movie/MovieCompressor.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;
using test::MovieBuilder;
using test::ScanFixture;

TEST(BitWriter, PacksFieldsMostSignificantBitFirst) {
  BitWriter writer;
  writer.writeBits(0b101, 3);
  writer.writeBits(0, 0);  // writes nothing
  writer.writeBits(0b11110, 5);
  EXPECT_EQ(Bytes(writer.bytes().begin(), writer.bytes().end()), (Bytes{0xBE}));
  writer.writeBits(0xFFFFFFFF, 32);
  writer.writeBits(1, 1);
  EXPECT_EQ(writer.count(), 5u);  // the single pending bit is not a complete byte yet
  writer.flush();
  writer.flush();  // on a byte boundary: nothing more
  EXPECT_EQ(Bytes(writer.bytes().begin(), writer.bytes().end()), (Bytes{0xBE, 0xFF, 0xFF, 0xFF, 0xFF, 0x80}));

  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(writer.writeTo(file));
  std::rewind(file);
  Bytes written(8);
  written.resize(std::fread(written.data(), 1, written.size(), file));
  std::fclose(file);
  EXPECT_EQ(written, (Bytes{0xBE, 0xFF, 0xFF, 0xFF, 0xFF, 0x80}));
}

TEST(MovieRewriter, HeaderOf550By400At12FramesPerSecond) {
  ScanResult scan;
  scan.version = 0x0105;  // only the low byte is written
  scan.fileLength = 1000;
  scan.headerLength = 21;
  scan.frameCount = 0x0123;
  const auto header = rewrittenHeader(scan, {550, 400, 12});
  // Nbits 20, Xmin 0, Xmax 11000, Ymin 0, Ymax 8000 (twips), then 3 zero bits.
  const Bytes expected = {'F', 'W', 'S', 0x05, 0xEA, 0x03, 0x00, 0x00,  // 1000 - 21 + 23 = 1002
                          0xA0, 0x00, 0x00, 0x01, 0x57, 0xC0, 0x00, 0x00, 0x00, 0xFA, 0x00,
                          0x00, 0x0C, 0x23, 0x01};
  EXPECT_EQ(Bytes(header.begin(), header.end()), expected);

  // The largest allowed size, 3270 x 3270 pixels = 65400 twips = 0x0FF78, still fits 20 bits.
  const auto largest = rewrittenHeader(scan, {3270, 3270, 100});
  EXPECT_EQ(Bytes(largest.begin() + 8, largest.begin() + 21),
            (Bytes{0xA0, 0x00, 0x00, 0x07, 0xFB, 0xC0, 0x00, 0x00, 0x07, 0xFB, 0xC0, 0x00, 100}));
}

TEST(MovieRewriter, ValidatesFieldsInOrderWithTheirLimits) {
  MovieProperties properties;
  EXPECT_FALSE(validateMovieProperties("550", "400", "12", properties));
  EXPECT_EQ(properties.width, 550);
  EXPECT_EQ(properties.height, 400);
  EXPECT_EQ(properties.frameRate, 12);
  EXPECT_FALSE(validateMovieProperties("1", "3270", "100", properties));

  const auto width = validateMovieProperties("0", "x", "12", properties);
  ASSERT_TRUE(width);
  EXPECT_EQ(width->field, PropertyField::Width);
  EXPECT_EQ(width->message, "Please enter an integer between 1 and 3270.");
  const auto height = validateMovieProperties("550", "3271", "12", properties);
  ASSERT_TRUE(height);
  EXPECT_EQ(height->field, PropertyField::Height);
  EXPECT_EQ(height->message, "Please enter an integer between 1 and 3270.");
  const auto rate = validateMovieProperties("550", "400", "101", properties);
  ASSERT_TRUE(rate);
  EXPECT_EQ(rate->field, PropertyField::FrameRate);
  EXPECT_EQ(rate->message, "Please enter an integer between 1 and 100.");
  for (const char* text : {"", "12.5", "abc", "12a", "99999999999"}) {
    const auto problem = validateMovieProperties("550", "400", text, properties);
    ASSERT_TRUE(problem) << text;
    EXPECT_EQ(problem->message, "Please enter an integer.") << text;
  }
}

struct RewriteFixture {
  RewriteFixture() {
    // The builder's default RECT of 11000 x 8000 twips uses 15-bit fields: a 21-byte header.
    movie.rect(0, 11000, 0, 8000).frameRate(0x0C80).frameCount(7);
    movie.doAction({0x07, 0x00}).defineBitsJpeg2(4, {0xFF, 0xD8, 0xFF, 0xD9}).showFrame().end();
    original = movie.build();
    test::writeFile(path, original);
    EXPECT_EQ(scanFixture.scan(original), ScanStatus::Success);
  }
  const ScanResult& scan() const { return scanFixture.result; }

  test::ScratchFolder folder;
  std::string path = folder.file("clip.swf");
  MovieBuilder movie{6};
  Bytes original;
  ScanFixture scanFixture;
  RecordingMessageSink sink;
};

TEST(MovieRewriter, NewHeaderInFrontOfEveryTagByteForByte) {
  RewriteFixture fixture;
  ASSERT_EQ(fixture.scan().headerLength, 21u);
  ASSERT_EQ(fixture.scan().frameRate, 12u);  // 12.5 frames per second shows as 12
  ASSERT_TRUE(editMovieProperties(fixture.path, fixture.scan(), {320, 240, 12}, fixture.sink));
  EXPECT_TRUE(fixture.sink.messages().empty());
  EXPECT_FALSE(test::fileExists(fixture.path + "t"));

  const Bytes rewritten = test::readFile(fixture.path);
  ASSERT_EQ(rewritten.size(), fixture.original.size() + 2);
  const std::uint32_t length = rewritten.size();
  // 320 x 240 pixels = 6400 x 4800 twips = 0x01900 and 0x012C0 in 20 bits.
  const Bytes header = {'F', 'W', 'S', 6,
                        static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8), 0, 0,
                        0xA0, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x00, 0x96, 0x00,
                        0x00, 0x0C, 0x07, 0x00};  // the fraction .5 becomes 0
  EXPECT_EQ(Bytes(rewritten.begin(), rewritten.begin() + 23), header);
  EXPECT_EQ(Bytes(rewritten.begin() + 23, rewritten.end()), Bytes(fixture.original.begin() + 21, fixture.original.end()));

  ScanFixture again;
  ASSERT_EQ(again.scan(rewritten), ScanStatus::Success);
  EXPECT_EQ(again.result.width, 320);
  EXPECT_EQ(again.result.height, 240);
  EXPECT_EQ(again.result.frameCount, 7u);
  EXPECT_EQ(again.timeline(0).actionCount(), 1u);
  EXPECT_EQ(again.timeline(0).imageCount(), 1u);
}

TEST(MovieRewriter, FailuresLeaveTheMovieAsItWas) {
  RewriteFixture fixture;
  // A movie changed on disk since the scan: its header no longer has the scanned length.
  MovieBuilder other(6);
  other.rect(0, 20000, 0, 20000).showFrame().end();
  test::writeFile(fixture.path, other.build());
  EXPECT_FALSE(editMovieProperties(fixture.path, fixture.scan(), {320, 240, 24}, fixture.sink));
  ASSERT_EQ(fixture.sink.messages().size(), 1u);
  EXPECT_EQ(fixture.sink.messages()[0].text,
            "Error : The SWF File has changed since it was scanned, please scan it again");
  EXPECT_EQ(test::readFile(fixture.path), other.build());
  EXPECT_FALSE(test::fileExists(fixture.path + "t"));

  // The temporary file cannot be created (its name is taken by a folder).
  test::writeFile(fixture.path, fixture.original);
  std::filesystem::create_directory(fixture.path + "t");
  fixture.sink.clear();
  EXPECT_FALSE(editMovieProperties(fixture.path, fixture.scan(), {320, 240, 24}, fixture.sink));
  ASSERT_EQ(fixture.sink.messages().size(), 1u);
  EXPECT_EQ(fixture.sink.messages()[0].text, "Error : Unable to Open Temp SWF File For Writing");
  EXPECT_EQ(test::readFile(fixture.path), fixture.original);

  // A link planted at the temporary name is not followed.
  std::filesystem::remove(fixture.path + "t");
  test::writeFile(fixture.folder.file("victim"), {1, 2, 3});
  std::filesystem::create_symlink(fixture.folder.file("victim"), fixture.path + "t");
  fixture.sink.clear();
  EXPECT_FALSE(editMovieProperties(fixture.path, fixture.scan(), {320, 240, 24}, fixture.sink));
  ASSERT_EQ(fixture.sink.messages().size(), 1u);
  EXPECT_EQ(fixture.sink.messages()[0].text, "Error : Unable to Open Temp SWF File For Writing");
  EXPECT_EQ(test::readFile(fixture.folder.file("victim")), (Bytes{1, 2, 3}));
  EXPECT_EQ(test::readFile(fixture.path), fixture.original);

  fixture.sink.clear();
  EXPECT_FALSE(editMovieProperties(fixture.folder.file("missing.swf"), fixture.scan(), {320, 240, 24}, fixture.sink));
  ASSERT_EQ(fixture.sink.messages().size(), 1u);
  EXPECT_EQ(fixture.sink.messages()[0].text, "Error : Unable to Open SWF File For Reading");
}

TEST(MovieRewriter, CompressedMoviesKeepTheirCompression) {
  for (const MovieCompression compression : {MovieCompression::Zlib, MovieCompression::Lzma}) {
    SCOPED_TRACE(compressionName(compression));
    RewriteFixture fixture;
    const Bytes stored = *compressMovieImage(fixture.original, compression);
    test::writeFile(fixture.path, stored);
    ASSERT_TRUE(editMovieProperties(fixture.path, fixture.scan(), {320, 240, 12}, fixture.sink));
    EXPECT_TRUE(fixture.sink.messages().empty());
    EXPECT_FALSE(test::fileExists(fixture.path + "t"));

    MovieSource source;
    ASSERT_EQ(source.load(fixture.path), ScanStatus::Success) << source.damage();
    EXPECT_EQ(source.compression(), compression);
    const Bytes image = source.takeImage();
    // The image is the uncompressed rewrite: the new 23-byte header, then every old tag.
    ASSERT_EQ(image.size(), fixture.original.size() + 2);
    const auto header = rewrittenHeader(fixture.scan(), {320, 240, 12});
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 23), Bytes(header.begin(), header.end()));
    EXPECT_EQ(Bytes(image.begin() + 23, image.end()), Bytes(fixture.original.begin() + 21, fixture.original.end()));

    // A compressed file that no longer decodes counts as changed, and is left as it is.
    Bytes cut = stored;
    cut.resize(cut.size() - 3);
    if (compression == MovieCompression::Lzma) cut[8] = static_cast<std::uint8_t>(cut[8] - 3);
    test::writeFile(fixture.path, cut);
    EXPECT_FALSE(editMovieProperties(fixture.path, fixture.scan(), {320, 240, 12}, fixture.sink));
    ASSERT_EQ(fixture.sink.messages().size(), 1u);
    EXPECT_EQ(fixture.sink.messages()[0].text,
              "Error : The SWF File has changed since it was scanned, please scan it again");
    EXPECT_EQ(test::readFile(fixture.path), cut);
  }
}

TEST(MovieRewriter, SaveAsAppliesTheExtensionRuleAndNeverTruncatesItsSource) {
  RewriteFixture fixture;
  const auto abc = saveMovieAs(fixture.path, fixture.folder.file("copy.abc"), fixture.sink);
  ASSERT_TRUE(abc);
  EXPECT_EQ(*abc, fixture.folder.file("copy.swf"));
  EXPECT_EQ(test::readFile(*abc), fixture.original);
  ASSERT_TRUE(saveMovieAs(fixture.path, fixture.folder.file("plain"), fixture.sink));
  EXPECT_EQ(test::readFile(fixture.folder.file("plain.swf")), fixture.original);
  // An existing file is replaced.
  test::writeFile(fixture.folder.file("old.SWF"), {1, 2, 3});
  ASSERT_TRUE(saveMovieAs(fixture.path, fixture.folder.file("old.SWF"), fixture.sink));
  EXPECT_EQ(test::readFile(fixture.folder.file("old.SWF")), fixture.original);
  // Onto the movie itself, spelled differently: the movie stays whole.
  ASSERT_TRUE(saveMovieAs(fixture.path, fixture.folder.path() + "/./clip.swf", fixture.sink));
  EXPECT_EQ(test::readFile(fixture.path), fixture.original);
  ASSERT_EQ(fixture.sink.messages().size(), 4u);
  EXPECT_EQ(fixture.sink.messages()[3], (Message{"Orvane", "Save As Action was Successful", MessageIcon::Information}));

  fixture.sink.clear();
  EXPECT_FALSE(saveMovieAs(fixture.path, fixture.folder.file("no/such/folder/x.swf"), fixture.sink));
  ASSERT_EQ(fixture.sink.messages().size(), 1u);
  EXPECT_EQ(fixture.sink.messages()[0].text, "Error, Save could not be completed, disk may be ful or write protected");
}

}  // namespace
}  // namespace orvane
