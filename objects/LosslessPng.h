// Lossless bitmaps as PNG pictures with exactly their pixels: colour-mapped ones keep
// their palette and its transparency, 15-bit and 24-bit ones become RGB, and 32-bit ones
// of DefineBitsLossless2 RGBA with straight alpha.
#pragma once

#include <string>

#include "objects/LosslessBitmap.h"

namespace orvane {

/// A premultiplied colour sample made straight again, rounded to the nearest value:
/// round(sample × 255 / alpha), at most 255; 0 where alpha is 0.
std::uint8_t unpremultiply(std::uint8_t sample, std::uint8_t alpha);

/// Writes the bitmap as PNG; false (and no file) when it cannot be written.
[[nodiscard]] bool writeLosslessPng(const std::string& path, const LosslessData& data);

}  // namespace orvane
