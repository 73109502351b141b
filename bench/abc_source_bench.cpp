// Decompiling every method body of generated ABC blocks of 5 000, 10 000 and 20 000
// methods (about 1, 2 and 4 MB) into ActionScript 3 statements, as the source tree of a
// movie makes them. The time should grow linearly with the block.
#include <benchmark/benchmark.h>

#include "abc/AbcParser.h"
#include "abcsource/AbcBodySource.h"
#include "tests/support/AbcBuilder.h"

namespace {

void AbcSourceOfEveryBody(benchmark::State& state) {
  const orvane::test::Bytes block = orvane::test::generatedAbc(static_cast<std::uint32_t>(state.range(0)) / 10);
  std::size_t textSize = 0;
  for (auto _ : state) {
    const orvane::AbcFile file = orvane::parseAbc(block);
    orvane::AbcNames names(file);
    orvane::AbcBodyDecompiler decompiler(file, names);
    std::string text;
    benchmark::DoNotOptimize(decompiler.appendEveryBody(text));
    textSize = text.size();
  }
  state.counters["block_bytes"] = static_cast<double>(block.size());
  state.counters["text_bytes"] = static_cast<double>(textSize);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * block.size()));
}
BENCHMARK(AbcSourceOfEveryBody)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
