// Turns a shape's edge records into closed paths per fill style and open paths per line style.
#pragma once

#include <cstdint>
#include <vector>

#include "movie/ShapeRecords.h"

namespace orvane {

struct PathSegment {
  ShapePoint from;
  ShapePoint to;
  ShapePoint control;
  bool curved = false;
};

/// A run of joined segments: each starts where the one before it ends.
struct Contour {
  std::vector<PathSegment> segments;
  /// A fill contour always closes; a line contour closes when it ends where it began.
  bool closed = false;
};

/// The contours drawn with one style: `style` counts from 0 into the fill or line table of
/// style group `group`.
struct StyledPath {
  std::uint32_t group = 0;
  std::uint32_t style = 0;
  std::vector<Contour> contours;
};

/// In drawing order: for each style group, its fills by index, then its lines by index.
struct ShapePaths {
  struct Layer {
    std::vector<StyledPath> fills;
    std::vector<StyledPath> lines;
  };
  std::vector<Layer> layers;
};

/// Edges are taken as they stand for fill style 1 (the fill on their right) and reversed for
/// fill style 0, then chained into closed contours, so that every edge of a fill is used
/// once and filling by even-odd leaves holes open. Style indices past their table are
/// ignored. Linear in the number of records.
ShapePaths assembleShape(const Shape& shape);

}  // namespace orvane
