#include <gtest/gtest.h>

#include "movie/MorphShapeRecords.h"
#include "movie/ShapeRecords.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

TEST(CorpusShapes, EveryShapeAndMorphShapeOfTheCorpusReadsWhole) {
  const std::vector<test::SampleMovie> movies = test::sampleMovies();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  std::size_t shapes = 0;
  std::size_t morphs = 0;
  for (const test::SampleMovie& movie : movies) {
    const bool twinned = test::fileExists(movie.path.substr(0, movie.path.size() - 4) + ".fws.swf");
    if ((movie.signature != "FWS" && !twinned) || movie.status != "ok") continue;
    SCOPED_TRACE(movie.path);
    test::ScanFixture fixture;
    if (fixture.scanFile(movie.path) != ScanStatus::Success) continue;
    const std::span<const std::uint8_t> bytes = fixture.walker.movie().bytes();
    for (const auto& timeline : fixture.result.timelines()) {
      for (const auto& object : timeline->shapes) {
        EXPECT_EQ(readDefineShape(object->bodyIn(bytes), object->code).shape.fault, "")
            << "shape " << object->characterId;
        ++shapes;
      }
      for (const auto& object : timeline->morphShapes) {
        EXPECT_EQ(readMorphShape(object->bodyIn(bytes), object->code).fault, "") << "morph " << object->characterId;
        ++morphs;
      }
    }
  }
  EXPECT_GT(shapes, 1000u);
  EXPECT_GT(morphs, 0u);
}

}  // namespace
}  // namespace orvane
