// "Extract All Objects" of the largest corpus movie: every image, sound and action text.
#include <benchmark/benchmark.h>

#include "bench/ScannedSample.h"
#include "objects/ExtractionRun.h"

namespace {

void BM_ExtractAllObjects(benchmark::State& state) {
  orvane::bench::ScannedSample sample(state, "open-flash/mt-hf-game.fws.swf");
  if (!sample.ready) return;
  orvane::ExtractionSettings settings;
  settings.directory = sample.folder.file("out");
  std::size_t reportSize = 0;
  for (auto _ : state) {
    reportSize = orvane::ExtractAllObjects(sample.result, settings, sample.sink).size();
    benchmark::DoNotOptimize(reportSize);
  }
  state.counters["report_bytes"] = static_cast<double>(reportSize);
}
BENCHMARK(BM_ExtractAllObjects)->Unit(benchmark::kMillisecond);

}  // namespace
