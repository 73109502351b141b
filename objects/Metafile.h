// Windows metafiles (WMF) and enhanced metafiles (EMF) that hold a picture as one bitmap record.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orvane {

/// 24-bit pixels, rows of width x 3 bytes R, G, B from the top.
struct RgbPicture {
  std::vector<std::uint8_t> pixels;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

/// A placeable WMF (72 units per inch, so one unit per pixel at 72 dpi) with one
/// StretchDIB record of the picture; nothing for a picture larger than 32767 in a direction.
std::optional<std::vector<std::uint8_t>> wmfWithBitmap(const RgbPicture& picture);

/// An EMF (96 dpi) with one StretchDIBits record of the picture.
std::vector<std::uint8_t> emfWithBitmap(const RgbPicture& picture);

/// The picture of the first StretchDIBits record of an EMF, for uncompressed 24- and
/// 32-bit bitmaps; nothing for any other metafile. Every offset is checked against the data.
std::optional<RgbPicture> bitmapOfEmf(std::span<const std::uint8_t> emf);

}  // namespace orvane
