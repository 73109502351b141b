// Every frame action, init action, button and sprite instance of the sample movies,
// replaced by its own unchanged assembly text, gives back the movie image byte for byte
// (compressed movies compared as the image they inflate to).
#include <gtest/gtest.h>

#include <filesystem>

#include "actions/assembly/ActionDisassembler.h"
#include "objects/ActionReplacement.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

struct ReplacementCount {
  std::size_t objects = 0;
  std::size_t bytes = 0;
};

void expectUnchangedReplacement(const std::vector<std::uint8_t>& image, const ScanResult& scan,
                                const MovieObject& object, const std::string& text, ReplacementCount& count) {
  SCOPED_TRACE(object.typeName + " at " + std::to_string(object.headerOffset));
  std::vector<std::uint8_t> replaced;
  AssemblyError error;
  ASSERT_TRUE(replaceActionsInImage(image, scan, object, text, replaced, error))
      << error.line << ":" << error.column << ": " << error.message << "\n"
      << text.substr(0, 1000);
  // Compared as a whole (not with EXPECT_EQ) so a mismatch does not print megabytes.
  EXPECT_TRUE(replaced == image) << "the rebuilt movie differs; sizes " << replaced.size() << " and " << image.size();
  ++count.objects;
  count.bytes += object.bodyLength;
}

TEST(CorpusActionReplacement, EveryObjectReplacedByItsOwnTextGivesTheSameMovie) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  std::size_t movies = 0;
  ReplacementCount count;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".swf") continue;
    SCOPED_TRACE(entry.path().string());
    test::ScanFixture scanned;
    static_cast<void>(scanned.scanFile(entry.path().string()));
    if (scanned.result.timelines().empty()) continue;
    ++movies;
    const std::vector<std::uint8_t>& image = scanned.walker.movie().bytes();
    for (const auto& timeline : scanned.result.timelines()) {
      for (const auto& action : timeline->actions) {
        std::string text;
        appendBlockAssembly(text, action->bytes);
        expectUnchangedReplacement(image, scanned.result, *action, text, count);
      }
      for (const auto& action : timeline->initActions) {
        std::string text;
        appendBlockAssembly(text, action->bytes);
        expectUnchangedReplacement(image, scanned.result, *action, text, count);
      }
      for (const auto& button : timeline->buttons)
        expectUnchangedReplacement(image, scanned.result, *button, conditionAssembly(*button), count);
      for (const auto& instance : timeline->instances)
        expectUnchangedReplacement(image, scanned.result, *instance, conditionAssembly(*instance), count);
    }
  }
  EXPECT_GT(movies, 100u);
  EXPECT_GT(count.objects, 900u);
  EXPECT_GT(count.bytes, 3000000u);
}

}  // namespace
}  // namespace orvane
