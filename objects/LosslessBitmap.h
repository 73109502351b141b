// Decoding of DefineBitsLossless / DefineBitsLossless2 bodies into rows of 8-bit pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "movie/ScanStatus.h"
#include "objects/RgbJpegEncoder.h"

namespace orvane {

/// Bitmaps larger than this many pixels are skipped as an unsupported variant.
inline constexpr std::uint64_t kMaxLosslessPixels = std::uint64_t{64} << 20;

struct InflatedBitmap {
  /// As large as asked for; bytes beyond `produced` are zero.
  std::vector<std::uint8_t> bytes;
  std::size_t produced = 0;
};

/// Inflates `compressed` into a buffer of `expectedSize` bytes, stopping when the zlib
/// stream ends or the buffer is full. Damaged data is resynchronised where zlib can;
/// otherwise "Zlib data error : <message>\n<code>" is appended to `errorText` and nothing
/// is returned. May throw std::bad_alloc.
std::optional<InflatedBitmap> InflateBitmap(std::span<const std::uint8_t> compressed, std::size_t expectedSize,
                                            std::string& errorText);

/// A decoded lossless bitmap: pixel rows ready for the JPEG encoder.
class LosslessBitmap {
 public:
  /// Decodes a tag body (character id first) with 3 (DefineBitsLossless) or 4
  /// (DefineBitsLossless2) bytes per colour-table entry. Returns 106; 112 for a format
  /// other than 3, 4, 5 or a bitmap over kMaxLosslessPixels; 103 when the data cannot be
  /// inflated (message appended to `errorText`); 108 when memory cannot be had.
  [[nodiscard]] ScanStatus decode(std::span<const std::uint8_t> body, int bytesPerEntry, std::string& errorText);

  /// The pixels; valid after decode() returned 106 and while this object lives.
  PixelRows rows() const;

 private:
  void convertColorMapped(const InflatedBitmap& inflated, std::size_t tableBytes, int bytesPerEntry);
  void convert15Bit(const InflatedBitmap& inflated);

  std::vector<std::uint8_t> m_pixels;
  std::uint32_t m_width = 0;
  std::uint32_t m_height = 0;
  std::size_t m_pitch = 0;
  PixelRows::Layout m_layout = PixelRows::Layout::Rgb;
};

}  // namespace orvane
