// Vector assets of the corpus: every shape of the largest game as SVG, and one frame of a
// typical 550 x 400 movie drawn as PNG.
#include <benchmark/benchmark.h>

#include "bench/ScannedSample.h"
#include "objects/MovieArtwork.h"
#include "vector/SvgRasterizer.h"

namespace {

// A fresh artwork each round, so that every shape is read and assembled again.
void BM_EveryShapeAsSvg(benchmark::State& state) {
  orvane::bench::ScannedSample sample(state, "open-flash/mt-hf-game.fws.swf");
  if (!sample.ready) return;
  std::size_t shapes = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    orvane::MovieArtwork artwork(sample.result, orvane::PreservationSource::of(sample.walker.movie()),
                                 sample.folder.path());
    shapes = bytes = 0;
    for (const auto& timeline : sample.result.timelines()) {
      for (const auto& shape : timeline->shapes) {
        bytes += artwork.shape(*shape).svg.size();
        ++shapes;
      }
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["shapes"] = static_cast<double>(shapes);
  state.counters["svg_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EveryShapeAsSvg)->Unit(benchmark::kMillisecond);

// The frame as extraction and `render` draw it: the display list as SVG, then four samples
// per pixel through librsvg (high quality, argument 0) or each pixel's centre (low, 1).
void BM_FrameAsPng(benchmark::State& state) {
  const bool high = state.range(0) == 0;
  const auto coverage = high ? orvane::EdgeCoverage::FourSamples : orvane::EdgeCoverage::PixelCentres;
  orvane::FrameOptions options;
  options.antialias = high;
  options.bitmapBlocks = high ? orvane::kFourSampleScale : 1;
  orvane::bench::ScannedSample sample(state, "jpexs/as2.fws.swf");
  if (!sample.ready) return;
  orvane::MovieArtwork artwork(sample.result, orvane::PreservationSource::of(sample.walker.movie()),
                               sample.folder.path());
  const orvane::TimelineNode& main = *sample.result.firstTimeline();
  const std::uint32_t frame = main.playedFrames() / 2;
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = orvane::rasterizeSvg(artwork.frame(main, frame, options).svg, 1, coverage).png.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["width"] = sample.result.width;
  state.counters["height"] = sample.result.height;
  state.counters["png_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FrameAsPng)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
