#include <gtest/gtest.h>

#include <iostream>
#include <map>

#include "abc/AbcBodyReplacement.h"
#include "abc/AbcDisassembly.h"
#include "abc/AbcParser.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

std::string firstDifference(std::span<const std::uint8_t> original, const std::vector<std::uint8_t>& again) {
  std::size_t at = 0;
  while (at < original.size() && at < again.size() && original[at] == again[at]) ++at;
  std::string text = "entries differ at byte " + std::to_string(at) + " of " + std::to_string(original.size()) + ":";
  for (std::size_t i = at; i < at + 8 && i < original.size(); ++i) text += " " + std::to_string(original[i]);
  text += " against";
  for (std::size_t i = at; i < at + 8 && i < again.size(); ++i) text += " " + std::to_string(again[i]);
  return text;
}

struct RoundTrip {
  std::size_t bodies = 0;
  std::size_t failed = 0;         // the assembly form
  std::size_t listingFailed = 0;  // the plain listing of the abc verb
  std::string firstFault;
};

TEST(CorpusAbcAssembly, EveryBodyAssemblesBackFromItsListingIntoTheSameBytes) {
  const std::vector<std::string> movies = test::moviesWithAbc();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  std::map<std::string, RoundTrip> results;
  std::size_t bodies = 0;
  for (const std::string& path : movies) {
    test::ScanFixture scanned;
    (void)scanned.scanFile(path);
    for (const auto& timeline : scanned.result.timelines()) {
      for (const auto& tag : timeline->abcTags) {
        RoundTrip& result = results[path.substr(test::samplesFolder().size() + 1)];
        const AbcFile file = parseAbc(tag->block);
        ASSERT_TRUE(file.errors.empty()) << path;
        AbcBodyReplacement replacement(tag->block, file);
        for (std::uint32_t i = 0; i < file.bodies.size(); ++i) {
          const AbcMethodBody& body = file.bodies[i];
          const std::span<const std::uint8_t> original(tag->block.data() + body.entryOffset,
                                                       body.entryEnd - body.entryOffset);
          std::string text;
          appendBodyAssembly(text, file, replacement.names(), replacement.texts(), i);
          AssemblyError error;
          const bool same = replacement.assemble(i, text, error) && !replacement.poolGrew() &&
                            std::equal(original.begin(), original.end(), replacement.entry().begin(),
                                       replacement.entry().end());
          ++result.bodies;
          if (!same && result.failed++ == 0)
            result.firstFault = "body " + std::to_string(i) + ": " + std::to_string(error.line) + ":" +
                                std::to_string(error.column) + ": " + error.message + "\n" + text + firstDifference(original, replacement.entry());
          // The listing the abc verb shows, for the measure of how often it alone is not enough.
          std::string listing;
          appendBodyListing(listing, file, replacement.names(), i, "");
          const bool listed = replacement.assemble(i, listing, error) && !replacement.poolGrew() &&
                              std::equal(original.begin(), original.end(), replacement.entry().begin(),
                                         replacement.entry().end());
          result.listingFailed += listed ? 0 : 1;
        }
        // The whole block comes back from the last body as it was.
        if (!file.bodies.empty()) {
          std::string text;
          const auto last = static_cast<std::uint32_t>(file.bodies.size() - 1);
          appendBodyAssembly(text, file, replacement.names(), replacement.texts(), last);
          AssemblyError error;
          ASSERT_TRUE(replacement.assemble(last, text, error)) << error.message;
          EXPECT_EQ(replacement.block(), tag->block) << path;
        }
      }
    }
  }
  for (const auto& [movie, result] : results) {
    bodies += result.bodies;
    std::cout << movie << ": " << result.bodies << " bodies, " << result.failed << " differ, "
              << result.listingFailed << " differ from the plain listing\n";
    EXPECT_EQ(result.failed, 0u) << movie << "\n" << result.firstFault;
  }
  EXPECT_GT(bodies, 20000u);
}

}  // namespace
}  // namespace orvane
