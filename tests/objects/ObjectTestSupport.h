// Helpers of the object writer tests: JPEG decoding, little-endian fields (and zlib compression).
#pragma once

#include <turbojpeg.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/CompressedMovie.h"
#include "tests/support/TestFiles.h"

namespace orvane::test {

struct DecodedJpeg {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  /// R, G, B of the pixel at (x, y).
  std::vector<int> at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

/// The JPEG bytes decoded to RGB, or nothing when TurboJPEG refuses them.
inline std::optional<DecodedJpeg> decodeJpeg(const std::vector<std::uint8_t>& jpeg) {
  tjhandle handle = tjInitDecompress();
  DecodedJpeg image;
  int subsampling = 0;
  int colorspace = 0;
  bool ok = tjDecompressHeader3(handle, jpeg.data(), jpeg.size(), &image.width, &image.height, &subsampling,
                                &colorspace) == 0;
  if (ok) {
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    ok = tjDecompress2(handle, jpeg.data(), jpeg.size(), image.rgb.data(), image.width, 0, image.height, TJPF_RGB,
                       0) == 0;
  }
  tjDestroy(handle);
  if (!ok) return std::nullopt;
  return image;
}

inline std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
         (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline std::uint16_t u16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

}  // namespace orvane::test
