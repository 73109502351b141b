// PNG files through libpng: colour-mapped pictures with their palette and transparency,
// RGB and RGBA rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

/// Rows of one byte per sample; `pitch` bytes from one row to the next.
struct PngPicture {
  enum class Kind { Palette, Rgb, Rgba };

  Kind kind = Kind::Rgb;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  const std::uint8_t* rows = nullptr;
  std::size_t pitch = 0;
  /// Palette pictures: the colours (at most 256) and, where any is not opaque, one alpha
  /// value per colour.
  std::vector<std::array<std::uint8_t, 3>> palette;
  std::vector<std::uint8_t> paletteAlpha;
  /// The bits of each colour sample that carry information (5 for 15-bit pixels widened to
  /// 8 bits); recorded in the file so that a reader can recover the original values.
  int significantBits = 8;
};

/// Writes the picture; false (and no file) when libpng refuses it or a write fails. The
/// picture's rows are not checked against its size: the caller guarantees them.
[[nodiscard]] bool writePng(const std::string& path, const PngPicture& picture);

}  // namespace orvane
