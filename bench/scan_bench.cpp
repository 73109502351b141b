// Scans a synthetic 64 MiB movie of 100-byte DoAction tags spread over 200 sprites.
#include <benchmark/benchmark.h>

#include "movie/ScanResult.h"
#include "movie/TagWalker.h"
#include "platform/MessageSink.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/RecordingWriter.h"

namespace {

using orvane::test::Bytes;

Bytes syntheticMovie() {
  constexpr std::size_t kTarget = 64u << 20;
  constexpr int kSprites = 200;
  // 98 bytes of actions (ActionPlay) and the ActionEndFlag: a 100-byte tag with its header.
  Bytes actions(97, 0x06);
  actions.push_back(0x00);
  orvane::test::TagList sprite;
  const std::size_t tagsPerSprite = kTarget / kSprites / 100;
  for (std::size_t i = 0; i < tagsPerSprite; ++i) {
    sprite.tag(12, actions, true);
    if (i % 10 == 9) sprite.showFrame();
  }
  sprite.end();
  orvane::test::MovieBuilder movie(5);
  for (int i = 0; i < kSprites; ++i) movie.defineSprite(static_cast<std::uint16_t>(i + 1), 1, sprite);
  movie.end();
  return movie.build();
}

void BM_ScanMovie(benchmark::State& state) {
  const Bytes movie = syntheticMovie();
  orvane::test::RecordingWriter writer;
  orvane::RecordingMessageSink sink;
  for (auto _ : state) {
    orvane::ScanResult result;
    orvane::TagWalker walker(writer, sink);
    walker.setResult(&result);
    walker.setTempFolder("/nonexistent-orvane-temp");
    if (walker.openBytes(movie, "bench.swf") != orvane::ScanStatus::Success ||
        walker.scan(0xFFF) != orvane::ScanStatus::Success) {
      state.SkipWithError("scan failed");
      return;
    }
    benchmark::DoNotOptimize(result.timelines().size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * movie.size()));
}
BENCHMARK(BM_ScanMovie)->Unit(benchmark::kMillisecond);

}  // namespace
