#include "movie/SwfMovie.h"

#include <gtest/gtest.h>

#include "platform/MessageSink.h"
#include "tests/support/CompressedMovie.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;
using test::MovieBuilder;

ScanStatus openFile(const Bytes& bytes, SwfMovie& movie) {
  test::ScratchFolder folder;
  const std::string path = folder.file("movie.swf");
  test::writeFile(path, bytes);
  return movie.open(path, nullptr);
}

TEST(SwfMovie, DecodesTheHeader) {
  MovieBuilder builder(7);
  builder.rect(-200, 11000, 0, 8000).frameRate(0x0C80).frameCount(42);
  builder.end();
  const Bytes bytes = builder.build();
  SwfMovie movie;
  ASSERT_EQ(openFile(bytes, movie), ScanStatus::Success);
  EXPECT_EQ(movie.version(), 7);
  EXPECT_EQ(movie.fileLength(), bytes.size());
  EXPECT_EQ(movie.width(), 560);
  EXPECT_EQ(movie.height(), 400);
  EXPECT_EQ(movie.frameRate(), 12u);  // 12.5 frames per second
  EXPECT_EQ(movie.frameCount(), 42);
  EXPECT_EQ(movie.firstTagOffset(), bytes.size() - 2);
  EXPECT_EQ(movie.bytes(), bytes);
}

TEST(SwfMovie, SizesTruncateTowardZeroAndSubFrameRatesAreZero) {
  MovieBuilder builder;
  builder.rect(0, 11999, 100, 0).frameRate(0x0080);
  builder.end();
  SwfMovie movie;
  ASSERT_EQ(openFile(builder.build(), movie), ScanStatus::Success);
  EXPECT_EQ(movie.width(), 599);
  EXPECT_EQ(movie.height(), -5);
  EXPECT_EQ(movie.frameRate(), 0u);

  MovieBuilder empty;
  empty.rect(0, 0, 0, 0);
  empty.showFrame().showFrame().showFrame().end();  // 21 bytes, the least a movie may have
  ASSERT_EQ(openFile(empty.build(), movie), ScanStatus::Success);
  EXPECT_EQ(movie.width(), 0);
  EXPECT_EQ(movie.height(), 0);
  EXPECT_EQ(movie.firstTagOffset(), 8u + 1u + 4u);
}

TEST(SwfMovie, RefusesWhatIsNotACompleteUncompressedMovie) {
  SwfMovie movie;
  // Bytes in memory are read only as an uncompressed image.
  MovieBuilder builder;
  builder.end();
  Bytes compressed = test::cwsMovie(builder.build());
  EXPECT_EQ(movie.openBytes(compressed, "m.swf"), ScanStatus::InvalidFileFormat);
  EXPECT_TRUE(movie.bytes().empty());
  // Another signature.
  Bytes other = builder.build();
  other[0] = 'G';
  EXPECT_EQ(openFile(other, movie), ScanStatus::InvalidFileFormat);
  // Five bytes.
  EXPECT_EQ(openFile({'F', 'W', 'S', 5, 21}, movie), ScanStatus::InvalidFileFormat);
  // A header that declares 20 bytes.
  Bytes twenty(20, 0);
  twenty[0] = 'F', twenty[1] = 'W', twenty[2] = 'S', twenty[4] = 20;
  EXPECT_EQ(openFile(twenty, movie), ScanStatus::InvalidFileFormat);
  // Declares 4 GiB, holds 30 bytes: refused before any allocation.
  Bytes huge = MovieBuilder().header(0xFFFFFFFF);
  huge.resize(30, 0);
  EXPECT_EQ(openFile(huge, movie), ScanStatus::InvalidFileFormat);
  // One byte shorter than declared.
  Bytes shortFile = builder.build();
  shortFile.pop_back();
  EXPECT_EQ(openFile(shortFile, movie), ScanStatus::InvalidFileFormat);
  // A rectangle that runs past the declared end: Nbits 31 needs 17 bytes.
  Bytes wideRect = {'F', 'W', 'S', 5, 21, 0, 0, 0, 0xF8};
  wideRect.resize(21, 0xFF);
  EXPECT_EQ(openFile(wideRect, movie), ScanStatus::InvalidFileFormat);
  EXPECT_EQ(movie.fileLength(), 0u);
}

TEST(SwfMovie, OpensTwentyOneBytesAndIgnoresBytesBeyondTheDeclaredLength) {
  MovieBuilder builder;
  builder.rect(0, 0, 0, 0);
  // 13 header bytes + 8 bytes of tags = 21.
  builder.showFrame().showFrame().showFrame().end();
  Bytes bytes = builder.build();
  ASSERT_EQ(bytes.size(), 21u);
  SwfMovie movie;
  EXPECT_EQ(openFile(bytes, movie), ScanStatus::Success);
  bytes.insert(bytes.end(), {0xDE, 0xAD});
  EXPECT_EQ(openFile(bytes, movie), ScanStatus::Success);
  EXPECT_EQ(movie.bytes().size(), 21u);
}

TEST(SwfMovie, OpensCompressedFilesAsTheirUncompressedImage) {
  MovieBuilder builder(6);
  builder.rect(0, 11000, 0, 8000).frameCount(3);
  builder.showFrame().end();
  const Bytes bytes = builder.build();
  SwfMovie movie;
  ASSERT_EQ(openFile(test::cwsMovie(bytes), movie), ScanStatus::Success);
  EXPECT_EQ(movie.compression(), MovieCompression::Zlib);
  EXPECT_EQ(movie.bytes(), bytes);
  EXPECT_EQ(movie.fileLength(), bytes.size());
  EXPECT_EQ(movie.width(), 550);
  EXPECT_EQ(movie.frameCount(), 3);
  EXPECT_TRUE(movie.damage().empty());

  // Its body is no zlib stream: damaged, and nothing of it is kept.
  Bytes damaged = bytes;
  damaged[0] = 'C';
  EXPECT_EQ(openFile(damaged, movie), ScanStatus::GeneralError);
  EXPECT_EQ(movie.damage().rfind("The compressed movie is damaged: the zlib stream is corrupt (", 0), 0u) << movie.damage();
  EXPECT_TRUE(movie.bytes().empty());
  EXPECT_EQ(movie.compression(), MovieCompression::None);
  ASSERT_EQ(openFile(bytes, movie), ScanStatus::Success);
  EXPECT_TRUE(movie.damage().empty());
}

TEST(SwfMovie, AMissingFileShowsItsPathAndGives109) {
  RecordingMessageSink sink;
  SwfMovie movie;
  EXPECT_EQ(movie.open("/nonexistent/movie.swf", &sink), ScanStatus::OpenError);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, "/nonexistent/movie.swf");
  EXPECT_EQ(movie.path(), "/nonexistent/movie.swf");
}

}  // namespace
}  // namespace orvane
