#include <gtest/gtest.h>

#include "movie/TagWalker.h"
#include "platform/MessageSink.h"
#include "tests/support/RecordingWriter.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

std::size_t countOver(const ScanResult& result, std::size_t (TimelineNode::*count)() const) {
  std::size_t total = 0;
  for (const auto& node : result.timelines()) total += ((*node).*count)();
  return total;
}

TEST(CorpusScan, EverySampleScansAndCountsMatchTheManifest) {
  const std::vector<test::SampleMovie> movies = test::sampleMovies();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  int scanned = 0;
  for (const test::SampleMovie& movie : movies) {
    // Compressed movies open as their image; the one without a twin is damaged on purpose.
    const bool twinned = test::fileExists(movie.path.substr(0, movie.path.size() - 4) + ".fws.swf");
    if (movie.signature != "FWS" && !twinned) continue;
    SCOPED_TRACE(movie.path);
    test::RecordingWriter writer;
    RecordingMessageSink sink;
    ScanResult result;
    TagWalker walker(writer, sink);
    walker.setResult(&result);
    walker.setTempFolder("/nonexistent-orvane-temp");
    const ScanStatus opened = walker.open(movie.path);
    ASSERT_EQ(opened, ScanStatus::Success);
    walker.copyHeaderInto(result);
    const ScanStatus status = walker.scan(0xFFF);
    ++scanned;
    if (movie.status != "ok") continue;
    const auto tags = [&](int code) { return static_cast<std::size_t>(movie.tagCounts.at(code)); };
    // Movies with DefineBits before JPEGTables stop early; the manifest counts them whole.
    if (status != ScanStatus::Success) {
      EXPECT_EQ(status, ScanStatus::FormatNotSupported);
      continue;
    }
    EXPECT_EQ(countOver(result, &TimelineNode::actionCount), tags(12));
    EXPECT_EQ(countOver(result, &TimelineNode::buttonCount), tags(7) + tags(34));
    EXPECT_EQ(countOver(result, &TimelineNode::instanceCount),
              movie.version >= 5 ? static_cast<std::size_t>(movie.clipActionPlaces) : 0u);
    EXPECT_EQ(result.timelines().size(), tags(39) + 1);
  }
  EXPECT_GT(scanned, 120);
}

}  // namespace
}  // namespace orvane
