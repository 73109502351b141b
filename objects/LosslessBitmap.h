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

/// The fields of a lossless bitmap tag and its inflated data: the colour table first
/// (format 3), then the rows, padded to four bytes for formats 3 and 4.
struct LosslessData {
  std::uint8_t format = 0;  // 3 colour-mapped, 4 15-bit, 5 32-bit
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::size_t tableEntries = 0;
  int bytesPerEntry = 3;
  InflatedBitmap inflated;

  std::size_t tableBytes() const { return tableEntries * static_cast<std::size_t>(bytesPerEntry); }
  std::size_t rowBytes() const;
  const std::uint8_t* firstRow() const { return inflated.bytes.data() + tableBytes(); }
};

/// Reads and inflates a tag body (character id first) with 3 (DefineBitsLossless) or 4
/// (DefineBitsLossless2) bytes per colour-table entry; the statuses of LosslessBitmap::decode.
[[nodiscard]] ScanStatus inflateLossless(std::span<const std::uint8_t> body, int bytesPerEntry,
                                         std::string& errorText, LosslessData& data);

/// Rows of 15-bit pixels (one reserved bit, five bits each of red, green and blue) as rows
/// of R, G, B bytes, each channel widened to 8 bits by repeating its top bits below.
std::vector<std::uint8_t> widen15BitRows(const LosslessData& data);

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
  void convertColorMapped(const LosslessData& data);

  std::vector<std::uint8_t> m_pixels;
  std::uint32_t m_width = 0;
  std::uint32_t m_height = 0;
  std::size_t m_pitch = 0;
  PixelRows::Layout m_layout = PixelRows::Layout::Rgb;
};

}  // namespace orvane
