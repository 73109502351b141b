// The shape records of the SWF format: fill and line styles, SHAPE and SHAPEWITHSTYLE.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "movie/BitReader.h"
#include "movie/SwfRecords.h"

namespace orvane {

/// Which definition a shape comes from: it decides colour widths, the style counts and the
/// line style record. Glyphs are SHAPEs of fonts (one implicit fill style, no line styles).
enum class ShapeVersion : std::uint8_t { Glyph = 0, Shape1 = 1, Shape2 = 2, Shape3 = 3, Shape4 = 4 };

namespace fillkind {
inline constexpr std::uint8_t kSolid = 0x00;
inline constexpr std::uint8_t kLinearGradient = 0x10;
inline constexpr std::uint8_t kRadialGradient = 0x12;
inline constexpr std::uint8_t kFocalGradient = 0x13;
inline constexpr std::uint8_t kRepeatingBitmap = 0x40;
inline constexpr std::uint8_t kClippedBitmap = 0x41;
inline constexpr std::uint8_t kRepeatingHardBitmap = 0x42;
inline constexpr std::uint8_t kClippedHardBitmap = 0x43;
}  // namespace fillkind

struct GradientStop {
  std::uint8_t ratio = 0;
  Rgba color;
};

struct Gradient {
  /// 0 pad, 1 reflect, 2 repeat (3 is reserved and drawn as pad).
  std::uint8_t spreadMode = 0;
  /// 0 normal RGB, 1 linear RGB.
  std::uint8_t interpolationMode = 0;
  std::vector<GradientStop> stops;
  /// FOCALGRADIENT's focal point, -1..1 (8.8 fixed point in the movie).
  double focalPoint = 0;
};

struct FillStyle {
  std::uint8_t type = fillkind::kSolid;
  Rgba color;
  /// The gradient or bitmap matrix.
  SwfMatrix matrix;
  Gradient gradient;
  std::uint16_t bitmapId = 0;

  bool isGradient() const { return type >= fillkind::kLinearGradient && type <= fillkind::kFocalGradient; }
  bool isBitmap() const { return type >= fillkind::kRepeatingBitmap && type <= fillkind::kClippedHardBitmap; }
};

namespace linecap {
inline constexpr std::uint8_t kRound = 0;
inline constexpr std::uint8_t kNone = 1;
inline constexpr std::uint8_t kSquare = 2;
}  // namespace linecap

namespace linejoin {
inline constexpr std::uint8_t kRound = 0;
inline constexpr std::uint8_t kBevel = 1;
inline constexpr std::uint8_t kMiter = 2;
}  // namespace linejoin

/// LINESTYLE, or LINESTYLE2 of DefineShape4 with its caps, join and fill.
struct LineStyle {
  std::uint16_t width = 0;  // twips
  Rgba color;
  std::uint8_t startCap = linecap::kRound;
  std::uint8_t endCap = linecap::kRound;
  std::uint8_t join = linejoin::kRound;
  bool noHorizontalScale = false;
  bool noVerticalScale = false;
  bool pixelHinting = false;
  bool noClose = false;
  /// 8.8 fixed point; meaningful for miter joins.
  std::uint16_t miterLimit = 0x0300;
  bool hasFill = false;
  FillStyle fill;
};

struct ShapeStyles {
  std::vector<FillStyle> fills;
  std::vector<LineStyle> lines;
};

/// A point in the shape's coordinates, twips.
struct ShapePoint {
  std::int32_t x = 0;
  std::int32_t y = 0;

  bool operator==(const ShapePoint&) const = default;
};

/// One record of a shape with its points made absolute. A style change sets only the
/// styles its flags name; indices count from 1 into the current style group (0: none).
struct ShapeRecord {
  enum class Kind : std::uint8_t { StyleChange, StraightEdge, CurvedEdge };

  static constexpr std::uint8_t kMoveTo = 0x01;
  static constexpr std::uint8_t kFill0 = 0x02;
  static constexpr std::uint8_t kFill1 = 0x04;
  static constexpr std::uint8_t kLine = 0x08;
  static constexpr std::uint8_t kNewStyles = 0x10;

  Kind kind = Kind::StyleChange;
  std::uint8_t flags = 0;
  /// A style change's move target, an edge's end point.
  ShapePoint to;
  /// A curved edge's control point.
  ShapePoint control;
  std::uint32_t fill0 = 0;
  std::uint32_t fill1 = 0;
  std::uint32_t line = 0;
  /// With kNewStyles: the style group this record starts.
  std::uint32_t styleGroup = 0;
};

struct Shape {
  /// Group 0 holds the styles before the first record; each record with new styles adds one.
  std::vector<ShapeStyles> styleGroups;
  std::vector<ShapeRecord> records;
  /// Empty when the shape was read whole, else what was missing; the records read before
  /// the fault are kept.
  std::string fault;
};

/// A FILLSTYLE of the given shape version (gradient colours follow the version's width).
FillStyle readFillStyle(BitReader& reader, ShapeVersion version);
/// LINESTYLE2's flags (caps, join, fill flag, scaling, closing) and, for miter joins, the limit.
void readLineStyle2Flags(BitReader& reader, LineStyle& line);
/// The style arrays of SHAPEWITHSTYLE (or of a style change record with new styles).
/// False, with `fault` set, when a count claims more styles than the data can hold.
bool readShapeStyles(BitReader& reader, ShapeVersion version, ShapeStyles& styles, std::string& fault);
/// SHAPEWITHSTYLE when `withStyles`, else SHAPE (as font glyphs and morph edges store it),
/// from the reader's position to the end record. Starts a fresh `shape`.
void readShape(BitReader& reader, ShapeVersion version, bool withStyles, Shape& shape);

/// The shape version of a DefineShape tag code (2, 22, 32, 83).
ShapeVersion shapeVersionOf(std::uint16_t code);

/// A DefineShape tag's body: its id, bounds and shape.
struct DefinedShape {
  std::uint16_t characterId = 0;
  SwfRect bounds;
  Shape shape;
};

/// Reads the body of a DefineShape, DefineShape2, DefineShape3 or DefineShape4 tag.
DefinedShape readDefineShape(std::span<const std::uint8_t> body, std::uint16_t code);

}  // namespace orvane
