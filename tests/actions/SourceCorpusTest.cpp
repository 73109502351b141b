// The decompiled source of every action block of the uncompressed sample movies: no empty
// stack values, no unknown records and no gotos on blocks a compiler wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

#include "actions/ActionList.h"
#include "actions/source/SourceTranslator.h"
#include "platform/MessageSink.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

/// Movies of the corpus whose scripts were assembled by hand for player and decompiler
/// test suites: jumps into and out of structures, stack values left for other statements
/// (inline assembly), a record code no compiler writes.
const std::set<std::string> kHandMadeMovies = {
    "ruffle/from_gnash/Function-v5.swf",
    "swfdec/waitforframe1-4.swf",
    "gnash/test_lastopcode_v6.swf",
    "jpexs/as2_definefunc_regs.fws.swf",
};

struct Counts {
  std::size_t empties = 0;
  std::size_t unknown = 0;
  std::size_t gotos = 0;
  std::size_t unlabelled = 0;  // gotos whose label the text does not show
};

std::size_t occurrences(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

bool isUncompressedMovie(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char signature[3] = {};
  in.read(signature, 3);
  return in && signature[0] == 'F' && signature[1] == 'W' && signature[2] == 'S';
}

void countBlock(const ActionObject& block, Counts& counts) {
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(block.bytes, records, messages);
  const std::string text = SourceListing(records, block.movieVersion);
  counts.empties += occurrences(text, "$empty");
  counts.unknown += occurrences(text, "// action 0x");
  counts.gotos += occurrences(text, "// goto ");
  for (std::size_t at = text.find("// goto label_"); at != std::string::npos; at = text.find("// goto label_", at + 1)) {
    const std::size_t number = at + 14;
    const std::string label = "// label_" + text.substr(number, text.find(';', number) - number) + ":\n";
    if (text.find(label) == std::string::npos) ++counts.unlabelled;
  }
}

TEST(SourceCorpus, CompilerWrittenBlocksDecompileWithoutGapsOrGotos) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  Counts total;
  std::size_t blocks = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".swf" || !isUncompressedMovie(entry.path())) continue;
    const std::string name = std::filesystem::relative(entry.path(), samples).string();
    test::ScanFixture scanned;
    (void)scanned.scanFile(entry.path().string());
    const ScanResult& result = scanned.result;
    Counts movie;
    for (const auto& timeline : result.timelines()) {
      for (const auto& action : timeline->actions) {
        countBlock(*action, movie);
        ++blocks;
      }
      for (const auto& action : timeline->initActions) {
        countBlock(*action, movie);
        ++blocks;
      }
      std::vector<const ButtonObject*> owners;
      for (const auto& button : timeline->buttons) owners.push_back(button.get());
      for (const auto& instance : timeline->instances) owners.push_back(instance.get());
      for (const ButtonObject* owner : owners) {
        for (const auto& condition : owner->conditionActions) {
          countBlock(*condition, movie);
          ++blocks;
        }
      }
    }
    if (movie.empties + movie.unknown + movie.gotos > 0)
      std::cout << name << ": " << movie.empties << " empty, " << movie.unknown << " unknown, " << movie.gotos
                << " goto\n";
    total.empties += movie.empties;
    total.unknown += movie.unknown;
    if (kHandMadeMovies.count(name) == 0) {
      EXPECT_EQ(movie.empties, 0u) << name;
      EXPECT_EQ(movie.unknown, 0u) << name;
      EXPECT_EQ(movie.gotos, 0u) << name;
    }
    total.gotos += movie.gotos;
    EXPECT_EQ(movie.unlabelled, 0u) << name;
  }
  std::cout << blocks << " blocks: " << total.empties << " empty, " << total.unknown << " unknown, " << total.gotos
            << " goto\n";
  EXPECT_GT(blocks, 500u);
}

}  // namespace
}  // namespace orvane
