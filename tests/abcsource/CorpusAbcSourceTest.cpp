#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "abc/AbcObjects.h"
#include "abc/AbcParser.h"
#include "abcsource/AbcBodySource.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t found = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++found;
  return found;
}

TEST(CorpusAbcSource, EveryBodyOfEveryMovieDecompiles) {
  const std::vector<std::string> movies = test::moviesWithAbc();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  std::map<std::string, std::pair<std::size_t, std::size_t>> results;  // movie: failed bodies, gotos
  std::size_t bodies = 0;
  for (const std::string& path : movies) {
    test::ScanFixture scanned;
    (void)scanned.scanFile(path);
    if (scanned.result.timelines().empty()) continue;
    const TimelineNode& main = *scanned.result.firstTimeline();
    if (main.abcTags.empty()) continue;
    SCOPED_TRACE(path);
    auto& [failed, gotos] = results[path.substr(test::samplesFolder().size() + 1)];
    for (const auto& tag : main.abcTags) {
      const AbcFile file = parseAbc(tag->block);
      AbcNames names(file);
      AbcBodyDecompiler decompiler(file, names);
      std::string text;
      failed += decompiler.appendEveryBody(text);
      gotos += count(text, "// goto ");
      bodies += file.bodies.size();
      EXPECT_EQ(count(text, "// method "), file.bodies.size());
    }
  }
  // What is still left as gotos or could not be read; the bounds only come down. Movies
  // not listed have neither. The engine demos hold code of other compilers (Haxe, the
  // C/C++ cross-compiler). Their jumps into code that no for loop's update list can hold
  // are counted as gotos: printed as an update list, that code lost its ifs and loops.
  const std::map<std::string, std::pair<std::size_t, std::size_t>> bounds = {
      {"as3/citrus-engine/Citrus-Engine-Away3D.swf", {284, 2638}},
      {"as3/citrus-engine/Citrus-Engine-Tiled-Map-Editor.swf", {282, 2353}},
      {"as3/citrus-engine/Live4Sales.swf", {282, 2353}},
  };
  std::string summary;
  for (const auto& [movie, result] : results) {
    summary += movie + ": " + std::to_string(result.first) + " failed, " + std::to_string(result.second) + " gotos\n";
    const auto bound = bounds.find(movie);
    const std::pair<std::size_t, std::size_t> most = bound == bounds.end() ? std::pair<std::size_t, std::size_t>{0, 0}
                                                                           : bound->second;
    EXPECT_LE(result.first, most.first) << movie;
    EXPECT_LE(result.second, most.second) << movie;
  }
  std::cout << bodies << " bodies\n" << summary;
  EXPECT_GT(bodies, 20000u);
}

}  // namespace
}  // namespace orvane
