#include "movie/MovieSource.h"

#include <gtest/gtest.h>

#include "movie/MovieCompressor.h"
#include "tests/support/CompressedMovie.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;

Bytes smallMovie(std::uint8_t version = 6) {
  test::MovieBuilder movie(version);
  movie.doAction({0x07, 0x00}).showFrame().end();
  return movie.build();
}

void putU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

/// A ZWS file from its fields: header, length of the LZMA data, properties, data.
Bytes zwsFile(std::uint32_t declared, std::uint32_t dataLength, const Bytes& properties, const Bytes& data) {
  Bytes file = {'Z', 'W', 'S', 13, 0, 0, 0, 0, 0, 0, 0, 0};
  putU32(file, 4, declared);
  putU32(file, 8, dataLength);
  file.insert(file.end(), properties.begin(), properties.end());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

std::string damageOf(const Bytes& file) {
  MovieSource source;
  const ScanStatus status = source.decode(file);
  EXPECT_EQ(status, ScanStatus::GeneralError);
  EXPECT_TRUE(source.image().empty());
  return source.damage();
}

TEST(MovieSource, UsesAnFwsFileAsItIsUpToItsDeclaredLength) {
  const Bytes movie = smallMovie();
  Bytes longer = movie;
  longer.insert(longer.end(), {0xDE, 0xAD});
  MovieSource source;
  ASSERT_EQ(source.decode(longer), ScanStatus::Success);
  EXPECT_EQ(source.compression(), MovieCompression::None);
  EXPECT_EQ(source.image(), movie);

  test::ScratchFolder folder;
  test::writeFile(folder.file("m.swf"), longer);
  ASSERT_EQ(source.load(folder.file("m.swf")), ScanStatus::Success);
  EXPECT_EQ(source.takeImage(), movie);
  EXPECT_TRUE(source.image().empty());
}

TEST(MovieSource, InflatesACwsFileBehindItsHeaderWithTheFwsSignature) {
  const Bytes movie = smallMovie();
  test::ScratchFolder folder;
  test::writeFile(folder.file("m.swf"), test::cwsMovie(movie));
  MovieSource source;
  ASSERT_EQ(source.load(folder.file("m.swf")), ScanStatus::Success) << source.damage();
  EXPECT_EQ(source.compression(), MovieCompression::Zlib);
  EXPECT_EQ(source.image(), movie);
  // Bytes after the end of the zlib stream are not part of the movie.
  Bytes trailing = test::cwsMovie(movie);
  trailing.push_back(0);
  ASSERT_EQ(source.decode(trailing), ScanStatus::Success);
  EXPECT_EQ(source.image(), movie);
}

TEST(MovieSource, CompressedFilesRoundTripWithTheirHeaderLayout) {
  const Bytes movie = smallMovie(13);
  const auto zlib = compressMovieImage(movie, MovieCompression::Zlib);
  const auto lzma = compressMovieImage(movie, MovieCompression::Lzma);
  ASSERT_TRUE(zlib && lzma);
  EXPECT_EQ(Bytes(zlib->begin(), zlib->begin() + 8), (Bytes{'C', 'W', 'S', 13, movie[4], movie[5], movie[6], movie[7]}));
  EXPECT_EQ(Bytes(lzma->begin(), lzma->begin() + 8), (Bytes{'Z', 'W', 'S', 13, movie[4], movie[5], movie[6], movie[7]}));
  // The length of the LZMA data counts what follows the 5 properties; lc 3, lp 0, pb 2.
  const std::uint32_t dataLength = (*lzma)[8] | ((*lzma)[9] << 8) | ((*lzma)[10] << 16) | ((*lzma)[11] << 24);
  EXPECT_EQ(dataLength, lzma->size() - 17);
  EXPECT_EQ((*lzma)[12], 0x5D);
  for (const auto& [file, compression] : {std::pair{*zlib, MovieCompression::Zlib}, {*lzma, MovieCompression::Lzma}}) {
    MovieSource source;
    ASSERT_EQ(source.decode(file), ScanStatus::Success) << source.damage();
    EXPECT_EQ(source.compression(), compression);
    EXPECT_EQ(source.image(), movie);
  }
}

TEST(MovieSource, DamagedZlibMoviesNameWhatIsWrong) {
  const Bytes good = test::cwsMovie(smallMovie());
  Bytes truncated(good.begin(), good.end() - 6);
  Bytes corrupt = good;
  corrupt[9] ^= 0xFF;  // the second byte of the zlib header: a bad check value
  Bytes longer = good;
  longer[4] = static_cast<std::uint8_t>(longer[4] + 1);  // declares one byte more than it holds
  Bytes shorter = good;
  shorter[4] = static_cast<std::uint8_t>(shorter[4] - 1);
  Bytes tiny = good;
  putU32(tiny, 4, 7);
  // Ten bytes that declare 4 GiB, and one byte past 1 GiB: refused before allocating.
  Bytes huge = {'C', 'W', 'S', 6, 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x9C};
  Bytes pastLimit = huge;
  putU32(pastLimit, 4, (1u << 30) + 1);
  const std::pair<Bytes, std::string> cases[] = {
      {truncated, "the file ends inside the zlib stream"},
      {longer, "the zlib stream ends before the declared length"},
      {shorter, "the zlib stream runs past the declared length"},
      {corrupt, "the zlib stream is corrupt (incorrect header check)"},
      {tiny, "its header declares a length of 7, less than the 8 bytes of the header itself"},
      {huge, "its header declares a length of 4294967295, more than 1 GiB"},
      {pastLimit, "its header declares a length of 1073741825, more than 1 GiB"},
  };
  for (const auto& [bytes, what] : cases) {
    SCOPED_TRACE(what);
    EXPECT_EQ(damageOf(bytes), "The compressed movie is damaged: " + what);
  }
}

TEST(MovieSource, DamagedLzmaMoviesNameWhatIsWrong) {
  const Bytes movie = smallMovie(13);
  const Bytes good = *compressMovieImage(movie, MovieCompression::Lzma);
  Bytes truncated(good.begin(), good.end() - 4);
  putU32(truncated, 8, static_cast<std::uint32_t>(truncated.size() - 17));
  Bytes shorter = good;
  putU32(shorter, 4, static_cast<std::uint32_t>(movie.size() - 1));
  const Bytes dictionary64k = {0x5D, 0x00, 0x00, 0x01, 0x00};
  const std::pair<Bytes, std::string> cases[] = {
      {{'Z', 'W', 'S', 13, 30, 0, 0, 0, 1, 2}, "the file ends inside its LZMA header"},
      {zwsFile(30, 100, dictionary64k, {0, 1, 2}), "its header gives 100 bytes of LZMA data, the file holds 3"},
      {zwsFile(30, 3, {0x5D, 0x00, 0x00, 0x00, 0x20}, {0, 1, 2}),
       "its LZMA dictionary of 536870912 bytes is larger than 256 MiB"},
      {zwsFile(30, 3, {225, 0x00, 0x00, 0x01, 0x00}, {0, 1, 2}), "its LZMA properties are invalid"},
      // The range coder's first byte is always zero.
      {zwsFile(30, 6, dictionary64k, {0xFF, 0, 0, 0, 0, 0}), "the LZMA stream is corrupt"},
      {truncated, "the file ends inside the LZMA stream"},
      {shorter, "the LZMA stream runs past the declared length"},
      {zwsFile(1, 3, dictionary64k, {0, 1, 2}), "its header declares a length of 1, less than the 8 bytes of the header itself"},
  };
  for (const auto& [bytes, what] : cases) {
    SCOPED_TRACE(what);
    EXPECT_EQ(damageOf(bytes), "The compressed movie is damaged: " + what);
  }
}

TEST(MovieSource, WhatIsNoMovieIsAnInvalidFormat) {
  Bytes shortFws = smallMovie();
  shortFws.pop_back();
  const Bytes cases[] = {{'C', 'W', 'S'}, {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, shortFws, {'F', 'W', 'S', 5, 20, 0, 0, 0}};
  for (const Bytes& bytes : cases) {
    MovieSource source;
    EXPECT_EQ(source.decode(bytes), ScanStatus::InvalidFileFormat);
    EXPECT_TRUE(source.damage().empty());
  }
  MovieSource source;
  EXPECT_EQ(source.load("/nonexistent/movie.swf"), ScanStatus::OpenError);
}

TEST(MovieSource, CorpusMoviesEqualTheirTwins) {
  const std::vector<test::SampleMovie> movies = test::sampleMovies();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus is absent";
  int compared = 0;
  int lzma = 0;
  for (const test::SampleMovie& movie : movies) {
    if (movie.signature != "CWS" && movie.signature != "ZWS") continue;
    const std::string twin = movie.path.substr(0, movie.path.size() - 4) + ".fws.swf";
    SCOPED_TRACE(movie.path);
    MovieSource source;
    const ScanStatus status = source.load(movie.path);
    if (!test::fileExists(twin)) {
      EXPECT_EQ(status, ScanStatus::GeneralError);
      EXPECT_EQ(source.damage(), "The compressed movie is damaged: its header declares a length of 1, less than the 8 bytes of the header itself");
      continue;
    }
    ASSERT_EQ(status, ScanStatus::Success) << source.damage();
    EXPECT_TRUE(source.image() == test::readFile(twin));
    ++compared;
    lzma += movie.signature == "ZWS" ? 1 : 0;
  }
  EXPECT_EQ(compared, 38);
  EXPECT_EQ(lzma, 1);
}

}  // namespace
}  // namespace orvane
