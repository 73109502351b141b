// The action blocks of the sample movies that the translator benchmarks read.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane::bench {

using test::Bytes;

/// Every action block of a sample movie (frame actions, init actions and the condition
/// actions of buttons and clips), or none when the corpus is absent.
inline std::vector<Bytes> sampleActionBlocks(const std::string& relativePath) {
  std::vector<Bytes> blocks;
  const std::string samples = test::samplesFolder();
  if (samples.empty()) return blocks;
  test::ScanFixture scan;
  (void)scan.scanFile(samples + "/" + relativePath);
  for (const auto& timeline : scan.result.timelines()) {
    for (const auto& action : timeline->actions) blocks.push_back(action->bytes);
    for (const auto& action : timeline->initActions) blocks.push_back(action->bytes);
    for (const auto& button : timeline->buttons)
      for (const auto& condition : button->conditionActions) blocks.push_back(condition->bytes);
    for (const auto& instance : timeline->instances)
      for (const auto& condition : instance->conditionActions) blocks.push_back(condition->bytes);
  }
  return blocks;
}

/// The largest action block of a sample movie alone, or none when the corpus is absent.
inline std::vector<Bytes> largestSampleActionBlock(const std::string& relativePath) {
  std::vector<Bytes> all = sampleActionBlocks(relativePath);
  if (all.empty()) return all;
  auto largest = std::max_element(all.begin(), all.end(), [](const Bytes& a, const Bytes& b) { return a.size() < b.size(); });
  return {std::move(*largest)};
}

}  // namespace orvane::bench
