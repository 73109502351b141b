// Decodes arbitrary bytes as a movie file (FWS, CWS, ZWS) and scans the image it gives.
#include <cstddef>
#include <cstdint>
#include <span>

#include "movie/MovieSource.h"
#include "tests/support/ScanFixture.h"

namespace {

// Larger images only cost time: the refusal above 1 GiB is still reached.
constexpr std::uint32_t kLargestFuzzedImage = 16u << 20;

std::uint32_t declaredLength(const std::uint8_t* data) {
  return static_cast<std::uint32_t>(data[4]) | (static_cast<std::uint32_t>(data[5]) << 8) |
         (static_cast<std::uint32_t>(data[6]) << 16) | (static_cast<std::uint32_t>(data[7]) << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::uint32_t declared = size >= 8 ? declaredLength(data) : 0;
  if (declared > kLargestFuzzedImage && declared <= orvane::MovieSource::kLargestImage) return 0;
  orvane::MovieSource source;
  if (source.decode(std::span<const std::uint8_t>(data, size)) != orvane::ScanStatus::Success) return 0;
  // The image is exactly the declared length: memory never grows past it.
  if (source.image().size() != declared) __builtin_trap();

  orvane::test::ScanFixture fixture;
  (void)fixture.scan(source.image());
  return 0;
}
