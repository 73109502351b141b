// Opens and scans arbitrary bytes as a movie, with a writer that records instead of writing.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvane::fuzz::FuzzScan scan;
  (void)scan.scan(data, size, "/nonexistent-orvane-temp");
  return 0;
}
