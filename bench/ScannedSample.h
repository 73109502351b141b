// A corpus movie scanned with the real object file writers, for the benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "movie/ScanResult.h"
#include "movie/TagWalker.h"
#include "objects/ObjectFileWriters.h"
#include "platform/MessageSink.h"
#include "tests/support/TestFiles.h"

namespace orvane::bench {

/// `ready` is false, and the benchmark skipped with the reason, when the corpus or the
/// movie is absent or does not scan.
struct ScannedSample {
  ScannedSample(benchmark::State& state, const std::string& name) : walker(writers, sink) {
    const std::string samples = test::samplesFolder();
    const std::string movie = samples + "/" + name;
    if (samples.empty() || !std::filesystem::exists(movie)) {
      state.SkipWithError("the sample corpus is absent");
      return;
    }
    walker.setTempFolder(folder.path());
    walker.setResult(&result);
    if (walker.open(movie) != ScanStatus::Success) {
      state.SkipWithError("the movie cannot be opened");
      return;
    }
    walker.copyHeaderInto(result);
    if (walker.scan(0xFFF) != ScanStatus::Success) {
      state.SkipWithError("the scan failed");
      return;
    }
    ready = true;
  }

  test::ScratchFolder folder;
  ObjectFileWriters writers;
  RecordingMessageSink sink;
  ScanResult result;
  TagWalker walker;
  bool ready = false;
};

}  // namespace orvane::bench
