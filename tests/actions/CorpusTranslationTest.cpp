// Every action block of the sample movies translates in all six modes, and every
// function-code listing covers its block.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

#include "actions/ActionTranslator.h"
#include "platform/MessageSink.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

constexpr TranslationMode kModes[] = {TranslationMode::ByteCodeHex,   TranslationMode::ByteCodeInteger,
                                      TranslationMode::ByteCodeCharacter, TranslationMode::FunctionCode,
                                      TranslationMode::ActionScript4, TranslationMode::ActionScript5};

/// The actions of movie versions 6 and 7, which the corpus uses thousands of times.
constexpr int kLaterVersionCodes[] = {0x2A, 0x2B, 0x2C, 0x54, 0x55, 0x66, 0x67, 0x68, 0x69, 0x89, 0x8E, 0x8F};

bool isUncompressedMovie(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char signature[3] = {};
  in.read(signature, 3);
  return in && signature[0] == 'F' && signature[1] == 'W' && signature[2] == 'S';
}

/// The offsets "[%d] " that open the entries of a function-code listing.
std::vector<std::uint32_t> entryOffsets(const std::string& listing) {
  std::vector<std::uint32_t> offsets;
  for (std::size_t at = 0; at < listing.size(); at = listing.find('\n', at) + 1) {
    const std::size_t close = listing.find(']', at);
    if (listing[at] == '[' && close != std::string::npos && listing.compare(close, 7, "] CODE:") == 0) {
      std::uint32_t offset = 0;
      std::from_chars(listing.data() + at + 1, listing.data() + listing.size(), offset);
      offsets.push_back(offset);
    }
    if (listing.find('\n', at) == std::string::npos) break;
  }
  return offsets;
}

/// Lists one block in every mode and checks that the function code covers it.
void translateBlock(const ActionObject& block, std::size_t& records) {
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  translator.SetSource(&block);
  const bool oversized = !messages.messages().empty();
  if (!oversized) {
    EXPECT_EQ(translator.DecodedLength(), block.length());
  }
  EXPECT_LE(translator.DecodedLength(), block.length());
  records += translator.RecordCount();
  for (const TranslationMode mode : kModes) {
    const std::string text = translator.Listing(mode, true);
    EXPECT_FALSE(text.empty());
    if (mode == TranslationMode::ActionScript5) {
      for (const int code : kLaterVersionCodes) {
        EXPECT_EQ(text.find("(CODE:" + std::to_string(code) + " UNKNOWN TRANSLATION)"), std::string::npos) << code;
      }
    }
    if (mode != TranslationMode::FunctionCode || translator.RecordCount() == 0) continue;
    const std::vector<std::uint32_t> offsets = entryOffsets(text);
    ASSERT_EQ(offsets.size(), translator.RecordCount());
    EXPECT_EQ(offsets.front(), 0u);
    EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end()));
    EXPECT_LT(offsets.back(), translator.DecodedLength());
  }
}

TEST(CorpusTranslation, EveryActionBlockOfTheSampleMoviesTranslatesInEveryMode) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  std::size_t movies = 0;
  std::size_t blocks = 0;
  std::size_t records = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".swf" || !isUncompressedMovie(entry.path())) continue;
    SCOPED_TRACE(entry.path().string());
    test::ScanFixture scanned;
    (void)scanned.scanFile(entry.path().string());
    const ScanResult& result = scanned.result;
    if (result.timelines().empty()) continue;
    ++movies;
    for (const auto& timeline : result.timelines()) {
      for (const auto& action : timeline->actions) {
        translateBlock(*action, records);
        ++blocks;
      }
      for (const auto& action : timeline->initActions) {
        translateBlock(*action, records);
        ++blocks;
      }
      std::vector<const ButtonObject*> owners;
      for (const auto& button : timeline->buttons) owners.push_back(button.get());
      for (const auto& instance : timeline->instances) owners.push_back(instance.get());
      for (const ButtonObject* owner : owners) {
        for (const auto& condition : owner->conditionActions) {
          translateBlock(*condition, records);
          ++blocks;
        }
        RecordingMessageSink messages;
        for (const TranslationMode mode : kModes) EXPECT_FALSE(ActionWindowText(owner, mode, messages).empty());
      }
    }
  }
  EXPECT_GT(movies, 50u);
  EXPECT_GT(blocks, 500u);
  EXPECT_GT(records, 100000u);
}

TEST(CorpusTranslation, InitActionsHoldTheClassCode) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  test::ScanFixture fixture;
  ASSERT_EQ(fixture.scan(test::readFile(samples + "/jpexs/as2_definefunc_regs.fws.swf")), ScanStatus::Success);
  const auto& initActions = fixture.timeline(0).initActions;
  ASSERT_EQ(initActions.size(), 1u);
  EXPECT_EQ(initActions[0]->characterId, 1);
  RecordingMessageSink messages;
  ActionTranslator translator(messages);
  translator.SetSource(initActions[0].get());
  const std::string script = translator.Listing(TranslationMode::ActionScript5, false);
  EXPECT_EQ(script.rfind("if ( not (_global.MyClass) ){\n", 0), 0u) << script;
  EXPECT_NE(script.find("ASSetPropFlags(_global.MyClass.prototype , \"NULL\" , \"1\")\n"), std::string::npos);
}

}  // namespace
}  // namespace orvane
