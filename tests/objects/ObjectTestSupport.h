// Helpers of the object writer tests: zlib compression, JPEG decoding, little-endian fields.
#pragma once

#include <turbojpeg.h>
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

namespace orvane::test {

inline std::vector<std::uint8_t> zlibCompress(const std::vector<std::uint8_t>& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<std::uint8_t> out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 6) != Z_OK) return {};
  out.resize(size);
  return out;
}

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
