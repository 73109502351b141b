// Glyph outlines as a font holds them: closed contours of straight and quadratic segments.
#pragma once

#include <cstdint>
#include <vector>

namespace orvane {

/// A point of a contour; an off-curve point is the control point of the quadratic segment
/// between its two neighbours.
struct GlyphPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool onCurve = true;

  bool operator==(const GlyphPoint&) const = default;
};

/// A closed contour. Its first point is on the curve, and no two off-curve points follow
/// each other, so every segment is explicit: the last point joins the first with a line
/// (or, when the last point is off-curve, with the quadratic it controls).
struct GlyphContour {
  std::vector<GlyphPoint> points;
};

/// The outline of one glyph in the units of its font, y pointing down as in a movie.
struct GlyphOutline {
  std::vector<GlyphContour> contours;

  bool empty() const { return contours.empty(); }
  std::size_t pointCount() const;
};

/// Turns pen moves into contours: a move ends the open contour and starts the next one; a
/// contour whose end comes back to its start loses the repeated point; a move or the end
/// that follows no segment leaves nothing behind. Segments before the first move start at
/// the origin.
class GlyphOutlineBuilder {
 public:
  void moveTo(std::int32_t x, std::int32_t y);
  void lineTo(std::int32_t x, std::int32_t y);
  void curveTo(std::int32_t controlX, std::int32_t controlY, std::int32_t x, std::int32_t y);
  GlyphOutline finish();

 private:
  void closeContour();
  void startContourIfNeeded();

  GlyphOutline m_outline;
  GlyphContour m_open;
  std::int32_t m_x = 0;
  std::int32_t m_y = 0;
};

}  // namespace orvane
