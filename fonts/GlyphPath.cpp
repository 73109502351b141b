#include "fonts/GlyphPath.h"

namespace orvane {
namespace {

void appendPoint(std::string& out, const GlyphPoint& point) {
  out += std::to_string(point.x);
  out += ' ';
  out += std::to_string(point.y);
}

}  // namespace

std::string glyphPathData(const GlyphOutline& outline) {
  std::string out;
  for (const GlyphContour& contour : outline.contours) {
    const std::vector<GlyphPoint>& points = contour.points;
    if (points.empty()) continue;
    if (!out.empty()) out += ' ';
    out += 'M';
    appendPoint(out, points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
      const GlyphPoint& point = points[i];
      if (!point.onCurve) {
        // A control point's anchor is the next point, or the first when it is the last.
        out += 'Q';
        appendPoint(out, point);
        out += ' ';
        appendPoint(out, i + 1 < points.size() ? points[i + 1] : points.front());
        ++i;
      } else {
        out += 'L';
        appendPoint(out, point);
      }
    }
    out += 'Z';
  }
  return out;
}

}  // namespace orvane
