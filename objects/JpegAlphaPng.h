// DefineBitsJPEG3 / JPEG4 pictures with their alpha plane, merged into one RGBA PNG.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orvane {

/// Decodes `jpeg` and takes each pixel's alpha from `zlibAlpha` inflated (one byte per
/// pixel in row order; pixels the data does not cover are transparent). False (and no
/// file) when the JPEG cannot be decoded, is larger than the lossless bitmaps' limit, the
/// alpha data cannot be inflated or the file cannot be written.
[[nodiscard]] bool writeJpegAlphaPng(const std::string& path, std::span<const std::uint8_t> jpeg,
                                     std::span<const std::uint8_t> zlibAlpha);

}  // namespace orvane
