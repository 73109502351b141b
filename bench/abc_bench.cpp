// Reading and listing generated ABC blocks of 5 000, 10 000 and 20 000 methods (about
// 1, 2 and 4 MB): parse the block and write everything of its tag (every class and
// script with its bodies), and the window text of every class and script one by one, as
// extraction and Find in Movie make them. The time should grow linearly with the block;
// 10 000 methods stay under 150 ms.
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

#include "abc/AbcObjectText.h"
#include "abcsource/AbcTexts.h"
#include "movie/TagHeader.h"
#include "tests/support/AbcBuilder.h"

namespace {

/// A stream buffer that keeps only the number of characters written to it.
struct CountingBuffer : std::streambuf {
  std::size_t count = 0;
  std::streamsize xsputn(const char*, std::streamsize size) override {
    count += static_cast<std::size_t>(size);
    return size;
  }
  int_type overflow(int_type c) override {
    ++count;
    return traits_type::not_eof(c);
  }
};

orvane::AbcTag generatedTag(std::int64_t methods) {
  orvane::AbcTag tag;
  tag.code = orvane::tag::kDoAbc;
  tag.block = orvane::test::generatedAbc(static_cast<std::uint32_t>(methods) / 10);
  return tag;
}

void AbcEverythingOfGeneratedBlock(benchmark::State& state) {
  const orvane::AbcTag tag = generatedTag(state.range(0));
  std::size_t textSize = 0;
  for (auto _ : state) {
    // Counts what is written, as a terminal or a pipe takes it, piece by piece.
    CountingBuffer counter;
    std::ostream out(&counter);
    orvane::AbcTagTexts(tag).writeEverything(out);
    textSize = counter.count;
    benchmark::DoNotOptimize(textSize);
  }
  state.counters["block_bytes"] = static_cast<double>(tag.block.size());
  state.counters["text_bytes"] = static_cast<double>(textSize);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * tag.block.size()));
}
BENCHMARK(AbcEverythingOfGeneratedBlock)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

void AbcWindowTextOfEveryObject(benchmark::State& state) {
  const orvane::AbcTag tag = generatedTag(state.range(0));
  const auto classes = static_cast<std::uint32_t>(state.range(0) / 10);
  std::vector<orvane::AbcObject> objects(classes + 1);
  for (std::uint32_t i = 0; i <= classes; ++i) {
    objects[i].tag = &tag;
    objects[i].kind = i < classes ? orvane::AbcObject::Kind::Class : orvane::AbcObject::Kind::Script;
    objects[i].index = i < classes ? i : 0;
  }
  for (auto _ : state) {
    orvane::AbcTexts texts;
    std::size_t textSize = 0;
    for (const orvane::AbcObject& object : objects)
      textSize += texts.windowText(object, orvane::TranslationMode::ActionScript5).size();
    benchmark::DoNotOptimize(textSize);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * tag.block.size()));
}
BENCHMARK(AbcWindowTextOfEveryObject)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
