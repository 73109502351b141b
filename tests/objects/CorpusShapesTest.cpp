#include <gtest/gtest.h>

#include "objects/MovieArtwork.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"
#include "vector/SvgRasterizer.h"

namespace orvane {
namespace {

// Every shape, and every morph shape at both ends, drawn as the windows and the extraction
// draw them; librsvg must accept each document.
TEST(CorpusShapes, EveryShapeAndMorphShapeIsAnSvgThatLibrsvgReads) {
  const std::vector<std::string> files = test::corpusMovieFiles();
  if (files.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  std::size_t shapes = 0;
  std::size_t morphs = 0;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    test::ScanFixture fixture;
    if (fixture.scanFile(file) != ScanStatus::Success) continue;
    test::ScratchFolder scratch;
    MovieArtwork artwork(fixture.result, PreservationSource::of(fixture.walker.movie()), scratch.path());
    for (const auto& timeline : fixture.result.timelines()) {
      for (const auto& object : timeline->shapes) {
        EXPECT_EQ(checkSvg(artwork.shape(*object).svg), "") << "shape " << object->characterId;
        ++shapes;
      }
      for (const auto& object : timeline->morphShapes) {
        for (const std::uint16_t ratio : {0, 65535})
          EXPECT_EQ(checkSvg(artwork.morphShape(*object, ratio).svg), "") << "morph shape " << object->characterId;
        ++morphs;
      }
    }
  }
  EXPECT_GT(shapes, 1000u);
  EXPECT_GT(morphs, 10u);
}

}  // namespace
}  // namespace orvane
