// Every action block of the sample movies, and every button's conditions and clip's events,
// disassembles into a text that assembles back into the same bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "actions/assembly/ActionAssembler.h"
#include "actions/assembly/ActionDisassembler.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

std::string errorText(const AssemblyError& error) {
  return std::to_string(error.line) + ":" + std::to_string(error.column) + ": " + error.message;
}

void expectBlockRoundTrip(const ActionObject& block, std::size_t& bytes) {
  std::string text;
  appendBlockAssembly(text, block.bytes);
  AssembledText assembled;
  AssemblyError error;
  ASSERT_TRUE(assembleActionText(text, assembled, error)) << errorText(error);
  ASSERT_EQ(assembled.kind, AssembledText::Kind::Block);
  ASSERT_EQ(assembled.blocks.size(), 1u);
  EXPECT_TRUE(assembled.blocks[0].bytes == block.bytes) << text.substr(0, 2000);
  bytes += block.bytes.size();
}

void expectConditionsRoundTrip(const ButtonObject& owner) {
  const bool clip = dynamic_cast<const InstanceObject*>(&owner) != nullptr;
  const std::string text = conditionAssembly(owner);
  AssembledText assembled;
  AssemblyError error;
  ASSERT_TRUE(assembleActionText(text, assembled, error)) << errorText(error);
  if (owner.conditionActions.empty()) return;
  EXPECT_EQ(assembled.kind, clip ? AssembledText::Kind::ClipEvents : AssembledText::Kind::ButtonConditions);
  ASSERT_EQ(assembled.blocks.size(), owner.conditionActions.size());
  for (std::size_t i = 0; i < assembled.blocks.size(); ++i) {
    const ConditionAction& condition = *owner.conditionActions[i];
    EXPECT_EQ(assembled.blocks[i].events, clip ? condition.eventFlags : condition.conditionWord);
    EXPECT_EQ(assembled.blocks[i].keyCode, condition.keyCode);
    EXPECT_TRUE(assembled.blocks[i].bytes == condition.bytes) << i;
  }
}

TEST(CorpusAssembly, EveryBlockOfTheSampleMoviesAssemblesBackIntoItsBytes) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  std::size_t movies = 0;
  std::size_t blocks = 0;
  std::size_t bytes = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".swf") continue;
    SCOPED_TRACE(entry.path().string());
    test::ScanFixture scanned;
    static_cast<void>(scanned.scanFile(entry.path().string()));
    if (scanned.result.timelines().empty()) continue;
    ++movies;
    for (const auto& timeline : scanned.result.timelines()) {
      for (const auto& action : timeline->actions) {
        expectBlockRoundTrip(*action, bytes);
        ++blocks;
      }
      for (const auto& action : timeline->initActions) {
        expectBlockRoundTrip(*action, bytes);
        ++blocks;
      }
      for (const auto& button : timeline->buttons) expectConditionsRoundTrip(*button);
      for (const auto& instance : timeline->instances) expectConditionsRoundTrip(*instance);
    }
  }
  EXPECT_GT(movies, 100u);
  EXPECT_GT(blocks, 800u);
  EXPECT_GT(bytes, 3000000u);
}

}  // namespace
}  // namespace orvane
