#include <gtest/gtest.h>

#include "tests/cli/CliRunner.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;
using test::runOrvaneCli;

/// A version 5 movie with a frame action and a button, so that scans and translations
/// have something to show.
Bytes actionMovie() {
  test::MovieBuilder movie(5);
  movie.doAction({0x81, 0x02, 0x00, 0x03, 0x00, 0x07, 0x00})
      .defineButton(4, {0x06, 0x00})
      .showFrame()
      .end();
  return movie.build();
}

struct CompressionFixture {
  test::ScratchFolder folder;
  std::string fws = folder.file("movie.swf");
  Bytes bytes = actionMovie();
  CompressionFixture() { test::writeFile(fws, bytes); }
  test::CliOutcome run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--temp", folder.file("temp")});
    return runOrvaneCli(arguments);
  }
};

TEST(CompressionVerbs, CompressRaisesTheVersionAndDecompressGivesTheImageBack) {
  CompressionFixture fixture;
  const test::CliOutcome zlib = fixture.run({"compress", fixture.fws, fixture.folder.file("z.swf")});
  EXPECT_EQ(zlib.status, 0) << zlib.err;
  EXPECT_EQ(zlib.out, "Version 5 raised to 6, the first version that reads zlib-compressed movies\n");
  const Bytes cws = test::readFile(fixture.folder.file("z.swf"));
  ASSERT_GE(cws.size(), 8u);
  EXPECT_EQ(Bytes(cws.begin(), cws.begin() + 8),
            (Bytes{'C', 'W', 'S', 6, fixture.bytes[4], fixture.bytes[5], fixture.bytes[6], fixture.bytes[7]}));

  const test::CliOutcome lzma = fixture.run({"compress", fixture.folder.file("z.swf"), fixture.folder.file("l.swf"), "--lzma"});
  EXPECT_EQ(lzma.status, 0) << lzma.err;
  EXPECT_EQ(lzma.out, "Version 6 raised to 13, the first version that reads LZMA-compressed movies\n");
  EXPECT_EQ(test::readFile(fixture.folder.file("l.swf"))[0], 'Z');

  const test::CliOutcome back = fixture.run({"decompress", fixture.folder.file("l.swf"), fixture.folder.file("f.swf")});
  EXPECT_EQ(back.status, 0) << back.err;
  Bytes expected = fixture.bytes;
  expected[3] = 13;
  EXPECT_EQ(test::readFile(fixture.folder.file("f.swf")), expected);
  // Already at version 13: no note.
  EXPECT_EQ(fixture.run({"compress", fixture.folder.file("f.swf"), fixture.folder.file("l2.swf"), "--lzma"}).out, "");

  const test::CliOutcome self = fixture.run({"compress", fixture.fws, fixture.folder.file("./movie.swf")});
  EXPECT_EQ(self.status, 1);
  EXPECT_EQ(self.err, "orvane-cli: " + fixture.fws + ": the written movie cannot replace its own source\n");
  EXPECT_EQ(test::readFile(fixture.fws), fixture.bytes);
  const test::CliOutcome plain = fixture.run({"decompress", fixture.fws, fixture.folder.file("x.swf")});
  EXPECT_EQ(plain.err, "orvane-cli: " + fixture.fws + ": the movie is not compressed\n");
  EXPECT_FALSE(test::fileExists(fixture.folder.file("x.swf")));
  EXPECT_EQ(fixture.run({"compress", fixture.fws}).status, 2);
}

TEST(CompressionVerbs, EveryMovieVerbReadsCompressedMoviesLikeTheirImage) {
  CompressionFixture fixture;
  Bytes version6 = fixture.bytes;
  version6[3] = 6;
  test::writeFile(fixture.fws, version6);
  ASSERT_EQ(fixture.run({"compress", fixture.fws, fixture.folder.file("z.swf")}).status, 0);
  ASSERT_EQ(fixture.run({"compress", fixture.fws, fixture.folder.file("l.swf"), "--lzma"}).status, 0);
  const std::string zws = fixture.folder.file("l.swf");

  const test::CliOutcome plainScan = fixture.run({"scan", fixture.fws});
  const test::CliOutcome zlibScan = fixture.run({"scan", fixture.folder.file("z.swf")});
  ASSERT_EQ(zlibScan.status, 0);
  // "File Size" is the declared length of the uncompressed movie.
  EXPECT_EQ(zlibScan.out, plainScan.out);
  EXPECT_EQ(zlibScan.out.rfind("File Size\t " + std::to_string(fixture.bytes.size()) + " Bytes\n", 0), 0u);

  EXPECT_NE(fixture.run({"scan", fixture.fws, "--json"}).out.find(",\"compression\":\"none\","), std::string::npos);
  EXPECT_NE(fixture.run({"scan", fixture.folder.file("z.swf"), "--json"}).out.find(",\"compression\":\"zlib\","),
            std::string::npos);

  const test::CliOutcome plainActions = fixture.run({"actions", fixture.fws, "--all", "--mode", "function"});
  ASSERT_EQ(plainActions.status, 0);
  const Bytes zwsFile = test::readFile(zws);
  for (const std::string& movie : {fixture.folder.file("z.swf"), zws}) {
    SCOPED_TRACE(movie);
    EXPECT_EQ(fixture.run({"actions", movie, "--all", "--mode", "function"}).out, plainActions.out);
    EXPECT_EQ(fixture.run({"preview-page", movie, "--page", fixture.folder.file("p.htm")}).status, 0);
    EXPECT_EQ(fixture.run({"extract", movie, fixture.folder.file("out")}).status, 0);
  }
  EXPECT_NE(fixture.run({"scan", zws, "--json"}).out.find(",\"compression\":\"lzma\","), std::string::npos);
  EXPECT_EQ(test::readFile(zws), zwsFile);
}

}  // namespace
}  // namespace orvane
