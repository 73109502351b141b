// The RGB/RGBA, RECT, MATRIX and colour-transform records of the SWF format.
#pragma once

#include <cstdint>

#include "movie/BitReader.h"

namespace orvane {

struct Rgba {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t alpha = 255;

  bool operator==(const Rgba&) const = default;
};

struct SwfRect {
  std::int32_t xMin = 0;
  std::int32_t xMax = 0;
  std::int32_t yMin = 0;
  std::int32_t yMax = 0;
};

struct SwfMatrix {
  std::int32_t scaleX = 65536;
  std::int32_t scaleY = 65536;
  std::int32_t rotateSkew0 = 0;
  std::int32_t rotateSkew1 = 0;
  std::int32_t translateX = 0;
  std::int32_t translateY = 0;
};

struct SwfColorTransform {
  std::int32_t redMult = 256;
  std::int32_t greenMult = 256;
  std::int32_t blueMult = 256;
  std::int32_t alphaMult = 256;
  std::int32_t redAdd = 0;
  std::int32_t greenAdd = 0;
  std::int32_t blueAdd = 0;
  std::int32_t alphaAdd = 0;
};

/// RGB (alpha 255) or RGBA.
Rgba readColor(BitReader& reader, bool withAlpha);
SwfRect readRect(BitReader& reader);
SwfMatrix readMatrix(BitReader& reader);
/// CXFORM, or CXFORMWITHALPHA when `withAlpha` is set.
SwfColorTransform readColorTransform(BitReader& reader, bool withAlpha);

}  // namespace orvane
