// Whole-buffer inflation of a zlib stream into an output of known size, by libdeflate
// (the fast one) and by zlib (which names what is wrong with a damaged stream).
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>

namespace orvane {

enum class InflateOutcome {
  Complete,    // the stream ended exactly at the end of the output
  EndsEarly,   // the stream ended before the output was full
  RunsPast,    // the output is full and the stream goes on
  Truncated,   // the input ends inside the stream
  Corrupt,     // the stream is not valid zlib data
  OutOfMemory,
};

struct Inflated {
  InflateOutcome outcome = InflateOutcome::Corrupt;
  std::string detail;  // zlib's own words for a corrupt stream; empty otherwise
};

/// libdeflate: a corrupt and a truncated stream both come back as Corrupt.
Inflated inflateWithLibdeflate(std::span<const std::uint8_t> stream, std::span<std::uint8_t> output);
/// zlib in one call; tells every outcome apart. The input and output must each be below 4 GiB.
Inflated inflateWithZlib(std::span<const std::uint8_t> stream, std::span<std::uint8_t> output);

/// Inflates the zlib stream that starts at the current position of `file`, block by block,
/// discarding the output. The length of the stream in bytes when it ends cleanly after
/// exactly `expectedOutput` bytes of output; none otherwise. Memory use is two fixed blocks.
std::optional<std::uint64_t> zlibStreamLength(std::FILE* file, std::uint64_t expectedOutput);

}  // namespace orvane
