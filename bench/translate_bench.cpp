// The translation engine in all six modes over the largest action blocks of the sample
// movies and over generated blocks of 1, 2 and 4 MB: the time should grow linearly with
// the block.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "actions/ActionTranslator.h"
#include "movie/TagWalker.h"
#include "platform/MessageSink.h"
#include "tests/actions/ActionBytes.h"
#include "tests/support/RecordingWriter.h"
#include "tests/support/TestFiles.h"

namespace {

using orvane::ActionObject;
using orvane::TranslationMode;
using orvane::test::Bytes;

constexpr TranslationMode kModes[] = {TranslationMode::ByteCodeHex,   TranslationMode::ByteCodeInteger,
                                      TranslationMode::ByteCodeCharacter, TranslationMode::FunctionCode,
                                      TranslationMode::ActionScript4, TranslationMode::ActionScript5};

/// Every action block of a sample movie (frame actions and condition actions), or none
/// when the corpus is absent.
std::vector<ActionObject> movieBlocks(const std::string& relativePath) {
  std::vector<ActionObject> blocks;
  const std::string samples = orvane::test::samplesFolder();
  if (samples.empty()) return blocks;
  orvane::test::RecordingWriter writer;
  orvane::RecordingMessageSink sink;
  orvane::ScanResult result;
  orvane::TagWalker walker(writer, sink);
  walker.setResult(&result);
  walker.setTempFolder("/nonexistent-orvane-temp");
  if (walker.open(samples + "/" + relativePath) != orvane::ScanStatus::Success) return blocks;
  (void)walker.scan(0xFFF);
  auto keep = [&](const ActionObject& action) {
    blocks.emplace_back();
    blocks.back().bytes = action.bytes;
  };
  for (const auto& timeline : result.timelines()) {
    for (const auto& action : timeline->actions) keep(*action);
    for (const auto& button : timeline->buttons)
      for (const auto& condition : button->conditionActions) keep(*condition);
    for (const auto& instance : timeline->instances)
      for (const auto& condition : instance->conditionActions) keep(*condition);
  }
  return blocks;
}

Bytes branch(std::uint8_t code, std::int64_t offset) {
  const auto bits = static_cast<std::uint16_t>(offset);
  return orvane::test::longAction(code, {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)});
}

Bytes ifElse(const Bytes& condition, const Bytes& then, const Bytes& otherwise) {
  using orvane::test::join;
  return join({condition, branch(0x9D, static_cast<std::int64_t>(then.size()) + 5), then,
               branch(0x99, static_cast<std::int64_t>(otherwise.size())), otherwise});
}

Bytes whileLoop(const Bytes& condition, const Bytes& body) {
  using orvane::test::join;
  const auto bodySize = static_cast<std::int64_t>(body.size());
  return join({condition, branch(0x9D, bodySize + 5), body,
               branch(0x99, -(static_cast<std::int64_t>(condition.size()) + 5 + bodySize + 5))});
}

/// A block of `bytes` bytes or a little less, of loops with nested conditions, arithmetic
/// assignments, frame-loaded tests and tell-target blocks.
ActionObject generatedBlock(std::int64_t bytes) {
  using namespace orvane::test;
  const Bytes assignment = join({push({str("v")}), var("a"), push({i32(3)}), {0x0C}, var("b"), {0x0A}, {0x1D}});
  const Bytes condition = join({var("i"), push({i32(10)}), {0x0F}, {0x12}});
  const Bytes frameLoaded = join({longAction(0x8A, {0x05, 0x00, 0x01}), {0x06}});
  const Bytes tellTarget = join({longAction(0x8B, zstr("mc")), {0x07}, longAction(0x8B, zstr(""))});
  const Bytes unit = whileLoop(condition, join({assignment, ifElse(var("c"), join({assignment, frameLoaded}), tellTarget)}));
  ActionObject block;
  while (static_cast<std::int64_t>(block.bytes.size() + unit.size()) <= bytes) {
    block.bytes.insert(block.bytes.end(), unit.begin(), unit.end());
  }
  return block;
}

void translateAll(benchmark::State& state, const std::vector<ActionObject>& blocks) {
  const auto mode = static_cast<TranslationMode>(state.range(0));
  orvane::RecordingMessageSink messages;
  std::int64_t bytes = 0;
  for (const ActionObject& block : blocks) bytes += block.length();
  for (auto _ : state) {
    orvane::ActionTranslator translator(messages);
    for (const ActionObject& block : blocks) {
      translator.SetSource(&block);
      benchmark::DoNotOptimize(translator.Listing(mode, true));
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["blocks"] = static_cast<double>(blocks.size());
  state.SetLabel(std::string(orvane::modeMenuText(mode)));
}

void BM_LongScriptBlock(benchmark::State& state) {
  static const std::vector<ActionObject> blocks = [] {
    std::vector<ActionObject> all = movieBlocks("jpexs/as2_long.fws.swf");
    if (all.empty()) return all;
    // The one large block of the movie.
    auto largest = std::max_element(all.begin(), all.end(),
                                    [](const ActionObject& a, const ActionObject& b) { return a.length() < b.length(); });
    std::vector<ActionObject> one(1);
    one[0].bytes = largest->bytes;
    return one;
  }();
  if (blocks.empty()) {
    state.SkipWithError("the sample corpus folder is absent");
    return;
  }
  translateAll(state, blocks);
}

void BM_GameMovieBlocks(benchmark::State& state) {
  static const std::vector<ActionObject> blocks = movieBlocks("open-flash/mt-hf-game.fws.swf");
  if (blocks.empty()) {
    state.SkipWithError("the sample corpus folder is absent");
    return;
  }
  translateAll(state, blocks);
}

void BM_GeneratedBlock(benchmark::State& state) {
  const std::vector<ActionObject> blocks = {generatedBlock(state.range(1) << 20)};
  translateAll(state, blocks);
}

BENCHMARK(BM_LongScriptBlock)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GameMovieBlocks)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneratedBlock)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 5, 1), {1, 2, 4}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
