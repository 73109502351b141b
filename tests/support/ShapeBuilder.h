// Builds the shape records of test movies: fill and line styles, matrices, SHAPE and
// SHAPEWITHSTYLE with their style change and edge records.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/MovieBuilder.h"

namespace orvane::test {

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t alpha = 255;
};

/// A MATRIX with 16.16 scale and rotate terms (written when not the identity's) and a
/// translation in twips.
Bytes matrixBytes(std::int32_t scaleX, std::int32_t scaleY, std::int32_t rotate0, std::int32_t rotate1,
                  std::int32_t translateX, std::int32_t translateY);
/// RGB, or RGBA when `alpha`.
Bytes colorBytes(Color color, bool alpha);
Bytes solidFill(Color color, bool alpha);
/// A gradient fill of `type` (0x10, 0x12, 0x13) with the stops' ratios and colours; the
/// focal point (8.8) is written for type 0x13.
Bytes gradientFill(std::uint8_t type, const Bytes& matrix, std::uint8_t spread, std::uint8_t interpolation,
                   const std::vector<std::pair<std::uint8_t, Color>>& stops, bool alpha, std::int16_t focal = 0);
Bytes bitmapFill(std::uint8_t type, std::uint16_t bitmapId, const Bytes& matrix);
/// LINESTYLE: width and colour.
Bytes lineStyle(std::uint16_t width, Color color, bool alpha);

/// One style change: a move (when `move`) and the styles that are not negative.
struct StyleChange {
  bool move = false;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t fill0 = -1;
  std::int32_t fill1 = -1;
  std::int32_t line = -1;
};

class ShapeBuilder {
 public:
  /// Style arrays of the first group.
  ShapeBuilder& fill(const Bytes& style);
  ShapeBuilder& line(const Bytes& style);
  ShapeBuilder& change(const StyleChange& change);
  /// A style change with new style arrays (DefineShape2 and later); later records index them.
  ShapeBuilder& newStyles(const StyleChange& change, const std::vector<Bytes>& fills,
                          const std::vector<Bytes>& lines);
  /// Edges relative to the pen, as the format stores them.
  ShapeBuilder& lineTo(std::int32_t dx, std::int32_t dy);
  ShapeBuilder& curveTo(std::int32_t controlDx, std::int32_t controlDy, std::int32_t anchorDx,
                        std::int32_t anchorDy);

  /// SHAPE: the index widths of the first group's styles and the records, end record included.
  Bytes shape() const;
  /// SHAPEWITHSTYLE: the first group's style arrays, then SHAPE.
  Bytes shapeWithStyle() const;
  /// A DefineShape body: the id, the bounds and SHAPEWITHSTYLE.
  Bytes defineShape(std::uint16_t id, const Bytes& bounds) const;

 private:
  struct Record {
    enum class Kind { Change, NewStyles, Line, Curve } kind;
    StyleChange change;
    std::vector<Bytes> fills;
    std::vector<Bytes> lines;
    std::int32_t values[4] = {0, 0, 0, 0};
  };
  std::vector<Bytes> m_fills;
  std::vector<Bytes> m_lines;
  std::vector<Record> m_records;
};

/// A style array: the count (0xFF and a 16-bit count from 255 on) and the styles.
Bytes styleArray(const std::vector<Bytes>& styles);

}  // namespace orvane::test
