// Reading and listing generated ABC blocks of 5 000, 10 000 and 20 000 methods (about
// 1, 2 and 4 MB): parse the block and write every class and script with its bodies. The
// time should grow linearly with the block; 10 000 methods stay under 150 ms.
#include <benchmark/benchmark.h>

#include "abc/AbcOutline.h"
#include "abc/AbcParser.h"
#include "tests/support/AbcBuilder.h"

namespace {

void AbcListingOfGeneratedBlock(benchmark::State& state) {
  const orvane::test::Bytes block = orvane::test::generatedAbc(static_cast<std::uint32_t>(state.range(0)) / 10);
  std::size_t textSize = 0;
  for (auto _ : state) {
    const orvane::AbcFile file = orvane::parseAbc(block);
    orvane::AbcOutline outline(file);
    textSize = 0;
    for (std::uint32_t i = 0; i < file.instances.size(); ++i) textSize += outline.classText(i).size();
    for (std::uint32_t i = 0; i < file.scripts.size(); ++i) textSize += outline.scriptText(i).size();
    benchmark::DoNotOptimize(textSize);
  }
  state.counters["block_bytes"] = static_cast<double>(block.size());
  state.counters["text_bytes"] = static_cast<double>(textSize);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * block.size()));
}
BENCHMARK(AbcListingOfGeneratedBlock)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
