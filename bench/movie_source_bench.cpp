// Inflating compressed movies: libdeflate against zlib on the corpus game and a generated
// 64 MiB movie (MB/s of output), and opening the compressed game against its FWS twin.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "movie/SwfMovie.h"
#include "movie/ZlibInflaters.h"
#include "tests/support/CompressedMovie.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/TestFiles.h"

namespace {

using orvane::test::Bytes;

const char* const kGame = "/open-flash/mt-hf-game.swf";
const char* const kGameTwin = "/open-flash/mt-hf-game.fws.swf";

/// About 64 MiB of frame actions that push words of a small vocabulary, with a 4 KiB
/// image of noise every eighth tag: it compresses about as well as real movies do.
Bytes generatedMovie() {
  static const char* const kWords[] = {"_root", "gotoAndPlay", "score", "level", "player", "enemy", "x", "y",
                                       "this", "onEnterFrame", "speed", "hitTest", "_parent", "lives", "timer", "i"};
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  orvane::test::MovieBuilder movie(8);
  std::size_t size = 0;
  for (int tag = 0; size < (64u << 20); ++tag) {
    Bytes body;
    if (tag % 8 == 7) {
      body.push_back(static_cast<std::uint8_t>(tag));
      body.push_back(0);
      for (int i = 0; i < 4096; ++i) body.push_back(static_cast<std::uint8_t>(next() >> 24));
      movie.tag(21, body, true);
    } else {
      for (int push = 0; push < 40; ++push) {
        const char* word = kWords[(next() >> 16) % 16];
        const std::size_t length = std::strlen(word);
        body.insert(body.end(), {0x96, static_cast<std::uint8_t>(length + 2), 0, 0});
        body.insert(body.end(), word, word + length);
        body.push_back(0);
      }
      body.push_back(0);
      movie.doAction(body);
    }
    size += body.size() + 6;
  }
  movie.showFrame().end();
  return movie.build();
}

struct Compressed {
  Bytes stream;                // the zlib stream after the 8 header bytes
  std::size_t outputSize = 0;  // the declared length less the header
};

Compressed fromFile(const std::string& path) {
  const Bytes file = orvane::test::readFile(path);
  if (file.size() < 8) return {};
  const std::size_t declared = file[4] | (file[5] << 8) | (file[6] << 16) | (static_cast<std::size_t>(file[7]) << 24);
  return {Bytes(file.begin() + 8, file.end()), declared - 8};
}

const Compressed& gameStream() {
  static const Compressed game = fromFile(orvane::test::samplesFolder() + kGame);
  return game;
}

const Compressed& generatedStream() {
  static const Compressed generated = [] {
    const Bytes movie = generatedMovie();
    const Bytes cws = orvane::test::cwsMovie(movie);
    return Compressed{Bytes(cws.begin() + 8, cws.end()), movie.size() - 8};
  }();
  return generated;
}

template <orvane::Inflated (*inflate)(std::span<const std::uint8_t>, std::span<std::uint8_t>)>
void inflateStream(benchmark::State& state, const Compressed& compressed) {
  if (compressed.stream.empty()) {
    state.SkipWithError("the sample corpus is absent");
    return;
  }
  const std::size_t outputSize = compressed.outputSize;
  Bytes output(outputSize);
  for (auto _ : state) {
    const orvane::Inflated inflated = inflate(compressed.stream, output);
    if (inflated.outcome != orvane::InflateOutcome::Complete) {
      state.SkipWithError("the stream did not inflate");
      return;
    }
    benchmark::DoNotOptimize(output.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outputSize));
}

template <orvane::Inflated (*inflate)(std::span<const std::uint8_t>, std::span<std::uint8_t>)>
void BM_InflateGame(benchmark::State& state) {
  inflateStream<inflate>(state, gameStream());
}

template <orvane::Inflated (*inflate)(std::span<const std::uint8_t>, std::span<std::uint8_t>)>
void BM_InflateGenerated(benchmark::State& state) {
  inflateStream<inflate>(state, generatedStream());
}

void openMovie(benchmark::State& state, const char* relativePath) {
  const std::string path = orvane::test::samplesFolder() + relativePath;
  orvane::SwfMovie movie;
  for (auto _ : state) {
    if (movie.open(path, nullptr) != orvane::ScanStatus::Success) {
      state.SkipWithError("the sample corpus is absent");
      return;
    }
    benchmark::DoNotOptimize(movie.bytes().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * movie.fileLength()));
}

void BM_OpenCompressedGame(benchmark::State& state) { openMovie(state, kGame); }
void BM_OpenGameTwin(benchmark::State& state) { openMovie(state, kGameTwin); }

BENCHMARK(BM_InflateGame<orvane::inflateWithLibdeflate>)->Name("InflateGame/libdeflate")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateGame<orvane::inflateWithZlib>)->Name("InflateGame/zlib")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateGenerated<orvane::inflateWithLibdeflate>)
    ->Name("InflateGenerated64MiB/libdeflate")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateGenerated<orvane::inflateWithZlib>)->Name("InflateGenerated64MiB/zlib")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCompressedGame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGameTwin)->Unit(benchmark::kMillisecond);

}  // namespace
