// Writes a shape's assembled paths as SVG: fills (solid, gradients, bitmaps) and lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "movie/ShapeRecords.h"
#include "vector/ShapePaths.h"
#include "vector/SvgCanvas.h"
#include "vector/Transforms.h"

namespace orvane {

/// A bitmap as SVG embeds it: an encoded image (PNG or JPEG) and its size in pixels.
struct EmbeddedBitmap {
  std::string mimeType;
  std::vector<std::uint8_t> data;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

/// The bitmaps that fills name, by character id.
class BitmapSource {
 public:
  virtual ~BitmapSource() = default;
  /// None when the movie defines no bitmap of that id or it cannot be decoded.
  virtual const EmbeddedBitmap* bitmap(std::uint16_t id) = 0;
  /// The bitmap to draw unsmoothed at `enlargement` device pixels per bitmap pixel; by
  /// default the bitmap itself.
  virtual const EmbeddedBitmap* unsmoothedBitmap(std::uint16_t id, double enlargement) {
    (void)enlargement;
    return bitmap(id);
  }
};

/// "data:MIME;base64,..." of the bitmap.
std::string dataUri(const EmbeddedBitmap& bitmap);

/// The paths of a morph shape at its end, which the paths drawn at its start turn into.
struct MorphTarget {
  const std::vector<ShapeStyles>& groups;
  const ShapePaths& paths;
  /// How long one pass from the start to the end lasts; the passes repeat without end.
  double seconds = 1;
};

class ShapeSvgWriter {
 public:
  /// `bitmaps` may be none: every bitmap fill is then missing.
  ShapeSvgWriter(SvgCanvas& canvas, BitmapSource* bitmaps) : m_canvas(canvas), m_bitmaps(bitmaps) {}

  /// Draws the paths with the styles of `groups` into the canvas's body, placed by
  /// `transform` (twips) with colours through `colors`. A bitmap fill whose bitmap is
  /// missing draws nothing and leaves a note, as the player draws nothing there.
  /// With a `target`, each path animates (SMIL) its outline and its solid colour to those
  /// of the path in the same place of the target; where the outlines' commands differ the
  /// outline changes at once, and gradients and bitmaps keep their start.
  void draw(const std::vector<ShapeStyles>& groups, const ShapePaths& paths, const Transform& transform,
            const ColorTransform& colors, const MorphTarget* target = nullptr);
  /// The fill geometry alone, without paint, as the shapes of a mask.
  void clip(const ShapePaths& paths, const Transform& transform, std::string& out) const;
  /// How many device pixels a bitmap pixel covers at most under `transform` (from bitmap
  /// pixels to the document's pixels, tx and ty in twips), along either of its sides.
  double enlargement(const Transform& transform) const;
  /// A bitmap placed as a character of its own: one twip-sized pixel per 20 twips from the
  /// origin, unsmoothed.
  void drawBitmap(const EmbeddedBitmap& bitmap, const Transform& transform, const ColorTransform& colors);
  /// A placed bitmap's rectangle, as a shape of a mask.
  static void clipBitmap(const EmbeddedBitmap& bitmap, const Transform& transform, std::string& out);

 private:
  /// The paint of a fill: a colour, or a reference to a new definition; empty for none. A
  /// clipped bitmap, where allowed, is drawn as the image clipped by the path instead.
  struct Paint {
    std::string value;
    double opacity = 1;
    const EmbeddedBitmap* clippedBitmap = nullptr;
  };
  Paint paint(const FillStyle& fill, const ColorTransform& colors, std::uint32_t index, bool allowClipped);
  /// The gradient's matrix moved so that the canvas's samples fall where the player takes
  /// a pixel's colour (when the canvas asks for it).
  Transform atSampleCorner(Transform matrix, bool linear) const;
  std::string gradient(const FillStyle& fill, const ColorTransform& colors);
  std::string pattern(const FillStyle& fill, const EmbeddedBitmap& bitmap, const ColorTransform& colors);
  /// A filter that applies the colour transform; its id.
  std::string colorFilter(const ColorTransform& colors);
  static void appendImage(std::string& out, const EmbeddedBitmap& bitmap, bool smoothed, const std::string& filter,
                          const Transform* transform);
  void drawClippedBitmap(const FillStyle& fill, const EmbeddedBitmap& bitmap, const StyledPath& path,
                         const char* fillRule, const ColorTransform& colors);
  /// `end`: the same line at the end of a morph, or none.
  void drawLine(const LineStyle& line, const StyledPath& path, const Transform& transform,
                const ColorTransform& colors, const MorphTarget* target, const StyledPath* end);
  /// Closes a path element whose outline is `data`: at once, or after the animations to
  /// `endData` and, when both are solid, from the colour `paint` to `endPaint`.
  void closePath(const std::string& data, const std::string& endData, const char* paintName, const Paint& paint,
                 const Paint& endPaint, const MorphTarget* target);

  SvgCanvas& m_canvas;
  BitmapSource* m_bitmaps;
  /// The transform of the shape being drawn, from its coordinates to the document's.
  Transform m_placement;
};

/// The path data of contours, coordinates in pixels; fills always close their contours.
/// `curvesAsLines`: each curve as the player draws it at low quality, five lines through
/// points of the curve rounded to whole twips.
void appendPathData(std::string& out, const std::vector<Contour>& contours, bool closeAll, bool curvesAsLines = false);

}  // namespace orvane
