// Rendering a long block of arithmetic and assignment actions as ActionScript 5: the time
// should grow linearly with the block.
#include <benchmark/benchmark.h>

#include "tests/actions/ActionBytes.h"
#include "tests/actions/ActionScriptDriver.h"

namespace {

using orvane::test::Bytes;

/// Statements of the form v = (a * 3) + b - c; as push, get variable, operator and set
/// variable actions, until the block holds `actions` actions.
Bytes arithmeticBlock(std::int64_t actions) {
  using namespace orvane::test;
  const Bytes statement = join({push({str("v")}), var("a"), push({i32(3)}), {0x0C}, var("b"), {0x0A}, var("c"),
                                {0x0B, 0x1D}});
  constexpr std::int64_t kActionsPerStatement = 12;
  Bytes block;
  for (std::int64_t n = 0; n + kActionsPerStatement <= actions; n += kActionsPerStatement) {
    block.insert(block.end(), statement.begin(), statement.end());
  }
  return block;
}

void BM_RenderArithmetic(benchmark::State& state) {
  const Bytes block = arithmeticBlock(state.range(0));
  orvane::RecordingMessageSink messages;
  orvane::ActionList records;
  orvane::DecodeBlock(block, records, messages);
  orvane::ExpressionTable table;
  for (auto _ : state) {
    benchmark::DoNotOptimize(orvane::test::actionScript(records, 5, table, messages));
  }
  state.counters["actions"] = static_cast<double>(records.size());
}
BENCHMARK(BM_RenderArithmetic)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond);

}  // namespace
