// The translation engine in all six modes over the largest action blocks of the sample
// movies and over generated blocks of 1, 2 and 4 MB: the time should grow linearly with
// the block.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "actions/ActionTranslator.h"
#include "bench/SampleActionBlocks.h"
#include "platform/MessageSink.h"
#include "tests/actions/ActionBytes.h"

namespace {

using orvane::ActionObject;
using orvane::TranslationMode;
using orvane::test::Bytes;

constexpr TranslationMode kModes[] = {TranslationMode::ByteCodeHex,   TranslationMode::ByteCodeInteger,
                                      TranslationMode::ByteCodeCharacter, TranslationMode::FunctionCode,
                                      TranslationMode::ActionScript4, TranslationMode::ActionScript5};

/// The blocks as action objects, as the translator reads them.
std::vector<ActionObject> asObjects(std::vector<Bytes> blocks) {
  std::vector<ActionObject> objects(blocks.size());
  for (std::size_t i = 0; i < blocks.size(); ++i) objects[i].bytes = std::move(blocks[i]);
  return objects;
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
  static const std::vector<ActionObject> blocks =
      asObjects(orvane::bench::largestSampleActionBlock("jpexs/as2_long.fws.swf"));
  if (blocks.empty()) {
    state.SkipWithError("the sample corpus folder is absent");
    return;
  }
  translateAll(state, blocks);
}

void BM_GameMovieBlocks(benchmark::State& state) {
  static const std::vector<ActionObject> blocks = asObjects(orvane::bench::sampleActionBlocks("open-flash/mt-hf-game.fws.swf"));
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
