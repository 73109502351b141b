// "Extract All Objects" of the largest corpus movie: every image, sound and action text.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "movie/ScanResult.h"
#include "movie/TagWalker.h"
#include "objects/ExtractionRun.h"
#include "objects/ObjectFileWriters.h"
#include "platform/MessageSink.h"
#include "tests/support/TestFiles.h"

namespace {

void BM_ExtractAllObjects(benchmark::State& state) {
  const std::string samples = orvane::test::samplesFolder();
  const std::string movie = samples + "/open-flash/mt-hf-game.fws.swf";
  if (samples.empty() || !std::filesystem::exists(movie)) {
    state.SkipWithError("the sample corpus is absent");
    return;
  }
  orvane::test::ScratchFolder folder;
  orvane::ObjectFileWriters writers;
  orvane::RecordingMessageSink sink;
  orvane::ScanResult result;
  orvane::TagWalker walker(writers, sink);
  walker.setTempFolder(folder.path());
  walker.setResult(&result);
  if (walker.open(movie) != orvane::ScanStatus::Success) {
    state.SkipWithError("the movie cannot be opened");
    return;
  }
  walker.copyHeaderInto(result);
  if (walker.scan(0xFFF) != orvane::ScanStatus::Success) {
    state.SkipWithError("the scan failed");
    return;
  }
  orvane::ExtractionSettings settings;
  settings.directory = folder.file("out");
  std::size_t reportSize = 0;
  for (auto _ : state) {
    reportSize = orvane::ExtractAllObjects(result, settings, sink).size();
    benchmark::DoNotOptimize(reportSize);
  }
  state.counters["report_bytes"] = static_cast<double>(reportSize);
}
BENCHMARK(BM_ExtractAllObjects)->Unit(benchmark::kMillisecond);

}  // namespace
