#include "objects/MovieDecompressor.h"

#include <gtest/gtest.h>

#include "tests/objects/ObjectTestSupport.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

/// The movie compressed as a CWS movie: its header with the signature changed, then the
/// zlib stream of everything after the header.
test::Bytes compressed(const test::Bytes& movie) {
  test::Bytes cws(movie.begin(), movie.begin() + 8);
  cws[0] = 'C';
  const test::Bytes body = test::zlibCompress(test::Bytes(movie.begin() + 8, movie.end()));
  cws.insert(cws.end(), body.begin(), body.end());
  return cws;
}

test::Bytes smallMovie() {
  test::MovieBuilder movie(6);
  movie.doAction({0x07, 0x00}).showFrame().end();
  return movie.build();
}

TEST(MovieDecompressor, InflatesACwsMovie) {
  test::ScratchFolder folder;
  const test::Bytes movie = smallMovie();
  test::writeFile(folder.file("in.swf"), compressed(movie));
  std::string error;
  ASSERT_TRUE(decompressMovie(folder.file("in.swf"), folder.file("out.swf"), error)) << error;
  EXPECT_EQ(test::readFile(folder.file("out.swf")), movie);
}

TEST(MovieDecompressor, DamagedMoviesFailAndLeaveNothing) {
  test::ScratchFolder folder;
  const test::Bytes movie = smallMovie();
  const test::Bytes good = compressed(movie);
  test::Bytes truncated(good.begin(), good.end() - 6);
  test::Bytes corrupt = good;
  corrupt[9] ^= 0xFF;  // the second byte of the zlib header: a bad check value
  test::Bytes longer = good;
  longer[4] = static_cast<std::uint8_t>(longer[4] + 1);  // declares one byte more than it holds
  test::Bytes shorter = good;
  shorter[4] = static_cast<std::uint8_t>(shorter[4] - 1);
  test::Bytes tiny = good;
  tiny[4] = 7;
  tiny[5] = tiny[6] = tiny[7] = 0;
  const std::pair<test::Bytes, std::string> cases[] = {
      {truncated, "the compressed data ends too early"},
      {longer, "the movie decodes to fewer bytes than its header declares"},
      {shorter, "the movie decodes to more bytes than its header declares"},
      {tiny, "the header declares a length of 7 bytes, less than the header itself"},
      {movie, "the movie is not compressed"},
      {{'C', 'W', 'S'}, "not a movie (shorter than a movie header)"},
      {{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, "not a compressed movie (no CWS or ZWS signature)"},
      {{'Z', 'W', 'S', 13, 30, 0, 0, 0, 1, 2}, "the file ends inside its LZMA header"},
  };
  for (const auto& [bytes, message] : cases) {
    SCOPED_TRACE(message);
    test::writeFile(folder.file("in.swf"), bytes);
    std::string error;
    EXPECT_FALSE(decompressMovie(folder.file("in.swf"), folder.file("out.swf"), error));
    EXPECT_EQ(error, message);
    EXPECT_FALSE(test::fileExists(folder.file("out.swf")));
  }
  test::writeFile(folder.file("in.swf"), corrupt);
  std::string error;
  EXPECT_FALSE(decompressMovie(folder.file("in.swf"), folder.file("out.swf"), error));
  EXPECT_EQ(error.rfind("the compressed data is damaged", 0), 0u) << error;
}

TEST(MovieDecompressor, NeverReplacesItsOwnSource) {
  test::ScratchFolder folder;
  const test::Bytes cws = compressed(smallMovie());
  test::writeFile(folder.file("in.swf"), cws);
  std::string error;
  EXPECT_FALSE(decompressMovie(folder.file("in.swf"), folder.file("./in.swf"), error));
  EXPECT_EQ(error, "the uncompressed movie cannot replace its own source");
  EXPECT_EQ(test::readFile(folder.file("in.swf")), cws);
  EXPECT_FALSE(decompressMovie(folder.file("missing.swf"), folder.file("out.swf"), error));
  EXPECT_EQ(error, "cannot open " + folder.file("missing.swf"));
}

TEST(MovieDecompressor, CorpusMoviesMatchTheirTwins) {
  const std::vector<test::SampleMovie> movies = test::sampleMovies();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus is absent";
  test::ScratchFolder folder;
  int compared = 0;
  int lzma = 0;
  for (const test::SampleMovie& movie : movies) {
    if (movie.signature != "CWS" && movie.signature != "ZWS") continue;
    const std::string twin = movie.path.substr(0, movie.path.size() - 4) + ".fws.swf";
    if (!test::fileExists(twin)) continue;
    SCOPED_TRACE(movie.path);
    std::string error;
    ASSERT_TRUE(decompressMovie(movie.path, folder.file("out.swf"), error)) << error;
    EXPECT_TRUE(test::readFile(folder.file("out.swf")) == test::readFile(twin));
    ++compared;
    lzma += movie.signature == "ZWS" ? 1 : 0;
  }
  EXPECT_GE(compared, 30);
  EXPECT_GE(lzma, 1);
}

}  // namespace
}  // namespace orvane
