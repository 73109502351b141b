// The decompiled source mode over the largest blocks of the sample movies and over
// generated blocks of 1, 2 and 4 MB: the time should grow linearly with the block.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "actions/ActionList.h"
#include "actions/source/SourceTranslator.h"
#include "bench/SampleActionBlocks.h"
#include "platform/MessageSink.h"
#include "tests/actions/SourceAssembler.h"

namespace {

using orvane::test::Bytes;
using orvane::test::join;
using orvane::test::push;
using orvane::test::str;
using namespace orvane::test::assembly;  // NOLINT: the assembler's vocabulary

Bytes v(const std::string& name) { return join({push({str(name)}), {0x1C}}); }

/// One unit of generated code in the compiler's patterns: a for loop with an if / else and
/// a continue, a switch with a break, a for-in loop and a function expression.
Bytes generatedUnit() {
  static const Bytes unit = join({
      push({str("i"), num(0)}), {0x3C},
      assemble({at("loop"), v("i"), push({num(10)}), {0x48}, {0x12}, ifTo("end"),
                push({str("t")}), v("a"), v("i"), {0x4E}, push({num(3)}), {0x0C}, v("b"), {0x47}, {0x3C},
                v("t"), push({num(5)}), {0x67}, {0x12}, ifTo("else"), push({str("u"), num(1)}), {0x1D}, jumpTo("next"),
                at("else"), v("t"), push({num(2)}), {0x49}, {0x12}, ifTo("skip"), jumpTo("step"), at("skip"),
                push({str("u"), num(2)}), {0x1D}, at("next"),
                v("u"), storeRegister(0), push({num(1)}), {0x66}, ifTo("c1"), push({reg(0), num(2)}), {0x66}, ifTo("c2"),
                jumpTo("sw"), at("c1"), push({str("one")}), {0x26}, jumpTo("sw"), at("c2"), push({str("two")}), {0x26},
                jumpTo("sw"), at("sw"),
                at("step"), push({str("i")}), v("i"), {0x50}, {0x1D}, jumpTo("loop"), at("end")}),
      assemble({v("o"), {0x55}, at("in"), storeRegister(0), push({null()}), {0x49}, ifTo("done"),
                push({str("p"), reg(0)}), {0x3C}, v("p"), {0x26}, jumpTo("in"), at("done")}),
      push({str("onEnterFrame")}),
      defineFunction2("", 3, 0x2A, 0, {{1, "x"}},
                      join({push({reg(1), num(2)}), {0x0C}, storeRegister(2), {0x17}, push({reg(2)}), {0x3E}})),
      {0x1D},
  });
  return unit;
}

/// A block of `bytes` bytes or a little less, made of generated units.
Bytes generatedBlock(std::int64_t bytes) {
  const Bytes& unit = generatedUnit();
  Bytes block;
  block.reserve(static_cast<std::size_t>(bytes));
  while (static_cast<std::int64_t>(block.size() + unit.size()) <= bytes) block.insert(block.end(), unit.begin(), unit.end());
  return block;
}

void decompileAll(benchmark::State& state, const std::vector<Bytes>& blocks) {
  orvane::RecordingMessageSink messages;
  std::int64_t bytes = 0;
  for (const Bytes& block : blocks) bytes += static_cast<std::int64_t>(block.size());
  for (auto _ : state) {
    for (const Bytes& block : blocks) {
      orvane::ActionList records;
      orvane::DecodeBlock(block, records, messages);
      benchmark::DoNotOptimize(orvane::SourceListing(records, 0));
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetComplexityN(bytes);
  state.counters["blocks"] = static_cast<double>(blocks.size());
}

void BM_SourceLongScriptBlock(benchmark::State& state) {
  static const std::vector<Bytes> blocks = orvane::bench::largestSampleActionBlock("jpexs/as2_long.fws.swf");
  if (blocks.empty()) {
    state.SkipWithError("the sample corpus folder is absent");
    return;
  }
  decompileAll(state, blocks);
}

void BM_SourceGameMovieBlocks(benchmark::State& state) {
  static const std::vector<Bytes> blocks = orvane::bench::sampleActionBlocks("open-flash/mt-hf-game.fws.swf");
  if (blocks.empty()) {
    state.SkipWithError("the sample corpus folder is absent");
    return;
  }
  decompileAll(state, blocks);
}

void BM_SourceGeneratedBlock(benchmark::State& state) {
  const std::vector<Bytes> blocks = {generatedBlock(state.range(0) << 20)};
  decompileAll(state, blocks);
}

BENCHMARK(BM_SourceLongScriptBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SourceGameMovieBlocks)->Unit(benchmark::kMillisecond);
// The first runs of a size pay for fresh memory from the system; the warm-up keeps them out
// of the comparison between sizes.
BENCHMARK(BM_SourceGeneratedBlock)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->MinWarmUpTime(1)
    ->MinTime(2)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
