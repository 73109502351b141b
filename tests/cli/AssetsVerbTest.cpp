#include <gtest/gtest.h>

#include "tests/cli/CliRunner.h"
#include "tests/support/AssetMovie.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::runOrvaneCli;

struct AssetMovieFile {
  AssetMovieFile() { test::writeFile(path, test::assetMovie()); }
  test::ScratchFolder folder;
  std::string path = folder.file("assets.swf");
  std::string temp = folder.file("temp");
};

TEST(AssetsVerb, PrintsTheAssetsTabAndWithJsonWhatEachAssetHolds) {
  const AssetMovieFile movie;
  const test::CliOutcome run = runOrvaneCli({"--temp", movie.temp, "assets", movie.path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Main Movie Stage\n"
            "  Shapes (2)\n"
            "    Shape (ID 1) \n"
            "    Shape (ID 9) \n"
            "  Morph Shapes (1)\n"
            "    Morph Shape (ID 2) \n"
            "  Fonts (1)\n"
            "    Font (ID 3) \n"
            "  Texts (2)\n"
            "    Text (ID 4) \n"
            "    Edit Text (ID 5) \n"
            "  Frames (3)\n"
            "    Frame[0] \n"
            "    Frame[1] \n"
            "    Frame[2] \n");

  const test::CliOutcome json = runOrvaneCli({"--temp", movie.temp, "assets", movie.path, "--json"});
  EXPECT_EQ(json.status, 0);
  const std::string& out = json.out;
  EXPECT_TRUE(out.starts_with("{\"path\":\"" + movie.path + "\",\"width\":100,\"height\":100,\"timelines\":[{"
                              "\"nodeId\":0,\"spriteId\":65535,\"displayName\":\"Main Movie Stage\",\"frames\":3,"))
      << out;
  // Serials follow the scan's other objects (none here): shapes, morph shapes, fonts, texts.
  EXPECT_NE(out.find("{\"kind\":\"shape\",\"serial\":1,\"characterId\":1,\"frame\":0,\"label\":\"\","
                     "\"typeName\":\"DefineShape3\",\"displayName\":\"Shape (ID 1) \",\"tagCode\":32,"
                     "\"bounds\":{\"xMin\":0,\"xMax\":200,\"yMin\":0,\"yMax\":200},\"styleGroups\":1,\"faults\":[]}"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\"displayName\":\"Morph Shape (ID 2) \",\"tagCode\":46,"
                     "\"startBounds\":{\"xMin\":0,\"xMax\":200,\"yMin\":0,\"yMax\":200},"
                     "\"endBounds\":{\"xMin\":0,\"xMax\":400,\"yMin\":0,\"yMax\":400},\"faults\":[]}"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\"tagCode\":48,\"fontName\":\"Boxes\",\"glyphs\":2,\"bold\":false,\"italic\":false,"
                     "\"emUnits\":1024,\"embeddedOpenType\":false,\"faults\":[]}"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("{\"kind\":\"text\",\"serial\":5,\"characterId\":4,"), std::string::npos) << out;
  EXPECT_NE(out.find("\"characters\":\"AB\""), std::string::npos) << out;
  EXPECT_NE(out.find("{\"kind\":\"editText\",\"serial\":6,\"characterId\":5,"), std::string::npos) << out;
  EXPECT_NE(out.find("\"characters\":\"Hello\""), std::string::npos) << out;
  EXPECT_TRUE(out.ends_with("]}]}\n")) << out;
}

TEST(ScanVerb, AssetsJoinTheJsonOnlyWhenAskedFor) {
  const AssetMovieFile movie;
  const test::CliOutcome plain = runOrvaneCli({"--temp", movie.temp, "scan", movie.path, "--json"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_NE(plain.out.find("\"objects\":[]"), std::string::npos) << plain.out;
  EXPECT_EQ(plain.out.find("\"kind\":\"shape\""), std::string::npos);

  const test::CliOutcome assets = runOrvaneCli({"--temp", movie.temp, "scan", movie.path, "--json", "--assets"});
  EXPECT_EQ(assets.status, 0);
  EXPECT_NE(assets.out.find("\"objects\":[{\"kind\":\"shape\",\"serial\":1,"), std::string::npos) << assets.out;
  EXPECT_NE(assets.out.find("\"kind\":\"editText\""), std::string::npos);

  const test::CliOutcome text = runOrvaneCli({"scan", movie.path, "--assets"});
  EXPECT_EQ(text.status, 2);
  EXPECT_NE(text.err.find("--assets goes with --json"), std::string::npos) << text.err;
}

}  // namespace
}  // namespace orvane
