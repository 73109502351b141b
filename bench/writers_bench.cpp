// Scanning a movie of 100 DefineBitsLossless bitmaps of 512 x 512 (format 5) against
// encoding the same pixels with TurboJPEG alone.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>
#include <zlib.h>

#include <cmath>
#include <vector>

#include "movie/TagWalker.h"
#include "objects/ObjectFileWriters.h"
#include "platform/MessageSink.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr int kSide = 512;
constexpr int kBitmaps = 100;

/// Smooth colour ramps with a little texture, as pictures in movies tend to be; A, R, G, B.
std::vector<std::uint8_t> argbPixels() {
  std::vector<std::uint8_t> pixels;
  pixels.reserve(std::size_t{kSide} * kSide * 4);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const int texture = static_cast<int>(16 * std::sin(x * 0.21) * std::cos(y * 0.17));
      pixels.push_back(255);
      pixels.push_back(static_cast<std::uint8_t>(std::clamp(x / 2 + texture, 0, 255)));
      pixels.push_back(static_cast<std::uint8_t>(std::clamp(y / 2 - texture, 0, 255)));
      pixels.push_back(static_cast<std::uint8_t>((x + y) / 4));
    }
  }
  return pixels;
}

std::vector<std::uint8_t> compressed(const std::vector<std::uint8_t>& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<std::uint8_t> out(size);
  compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 6);
  out.resize(size);
  return out;
}

void BM_ScanLosslessMovie(benchmark::State& state) {
  const std::vector<std::uint8_t> zlibData = compressed(argbPixels());
  orvane::test::MovieBuilder builder;
  for (int i = 0; i < kBitmaps; ++i)
    builder.defineBitsLossless(false, static_cast<std::uint16_t>(i + 1), 5, kSide, kSide, 0, zlibData);
  builder.end();
  const std::vector<std::uint8_t> movie = builder.build();
  orvane::test::ScratchFolder folder;
  orvane::ObjectFileWriters writers;
  orvane::RecordingMessageSink sink;
  for (auto _ : state) {
    state.PauseTiming();  // reading the movie into memory is not part of the scan
    orvane::ScanResult result;
    orvane::TagWalker walker(writers, sink);
    walker.setResult(&result);
    walker.setTempFolder(folder.path());
    const orvane::ScanStatus opened = walker.openBytes(movie, "bench.swf");
    state.ResumeTiming();
    if (opened != orvane::ScanStatus::Success || walker.scan(0xFFF) != orvane::ScanStatus::Success) {
      state.SkipWithError("scan failed");
      break;
    }
  }
}
BENCHMARK(BM_ScanLosslessMovie)->Unit(benchmark::kMillisecond);

void BM_TurboJpegAlone(benchmark::State& state) {
  std::vector<std::uint8_t> rgb;
  const std::vector<std::uint8_t> argb = argbPixels();
  for (std::size_t i = 0; i < argb.size(); i += 4) rgb.insert(rgb.end(), argb.begin() + i + 1, argb.begin() + i + 4);
  tjhandle handle = tjInitCompress();
  for (auto _ : state) {
    for (int i = 0; i < kBitmaps; ++i) {
      unsigned char* jpeg = nullptr;
      unsigned long size = 0;
      tjCompress2(handle, rgb.data(), kSide, 0, kSide, TJPF_RGB, &jpeg, &size, TJSAMP_420, 80, 0);
      benchmark::DoNotOptimize(jpeg);
      tjFree(jpeg);
    }
  }
  tjDestroy(handle);
}
BENCHMARK(BM_TurboJpegAlone)->Unit(benchmark::kMillisecond);

/// The share of the scan that zlib needs just to inflate the same bitmaps.
void BM_InflateAlone(benchmark::State& state) {
  const std::vector<std::uint8_t> zlibData = compressed(argbPixels());
  std::vector<std::uint8_t> pixels(std::size_t{kSide} * kSide * 4);
  for (auto _ : state) {
    for (int i = 0; i < kBitmaps; ++i) {
      uLongf size = static_cast<uLongf>(pixels.size());
      uncompress(pixels.data(), &size, zlibData.data(), static_cast<uLong>(zlibData.size()));
      benchmark::DoNotOptimize(pixels.data());
    }
  }
}
BENCHMARK(BM_InflateAlone)->Unit(benchmark::kMillisecond);

}  // namespace
