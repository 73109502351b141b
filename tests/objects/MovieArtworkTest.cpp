#include "objects/MovieArtwork.h"

#include <gtest/gtest.h>

#include "tests/support/AssetMovie.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"
#include "vector/SvgRasterizer.h"

namespace orvane {
namespace {

TEST(MovieArtwork, MorphAnimationTurnsTheStartShapeIntoTheEndShape) {
  // Morph shape 2: the red square of 10 pixels from the origin grows into the blue one of
  // 20 pixels; its edges run clockwise with the fill on their right, as the outline is kept.
  test::ScanFixture fixture;
  ASSERT_EQ(fixture.scan(test::assetMovie()), ScanStatus::Success);
  test::ScratchFolder scratch;
  MovieArtwork artwork(fixture.result, PreservationSource::of(fixture.walker.movie()), scratch.path());
  const auto& morphs = fixture.timeline(0).morphShapes;
  ASSERT_EQ(morphs.size(), 1u);
  const AssetPicture picture = artwork.morphAnimation(*morphs.front(), 3);
  EXPECT_FALSE(picture.damaged);
  const std::string& svg = picture.svg;
  EXPECT_EQ(checkSvg(svg), "");
  EXPECT_NE(svg.find(R"(viewBox="0 0 20 20")"), std::string::npos) << svg;
  EXPECT_NE(svg.find(R"(<path fill="#ff0000" fill-rule="evenodd" d="M0 0L10 0L10 10L0 10L0 0Z">)"
                     "\n"
                     R"(<animate attributeName="d" values="M0 0L10 0L10 10L0 10L0 0Z;M0 0L20 0L20 20L0 20L0 0Z" )"
                     R"(dur="3s" repeatCount="indefinite"/>)"
                     "\n"
                     R"(<animate attributeName="fill" values="#ff0000;#0000ff" dur="3s" repeatCount="indefinite"/>)"
                     "\n</path>\n"),
            std::string::npos)
      << svg;
  // Both ends opaque: no opacity to animate.
  EXPECT_EQ(svg.find("fill-opacity"), std::string::npos) << svg;
}

}  // namespace
}  // namespace orvane
