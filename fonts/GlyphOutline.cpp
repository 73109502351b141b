#include "fonts/GlyphOutline.h"

#include <utility>

namespace orvane {

std::size_t GlyphOutline::pointCount() const {
  std::size_t count = 0;
  for (const GlyphContour& contour : contours) count += contour.points.size();
  return count;
}

void GlyphOutlineBuilder::moveTo(std::int32_t x, std::int32_t y) {
  closeContour();
  m_x = x;
  m_y = y;
}

void GlyphOutlineBuilder::startContourIfNeeded() {
  if (m_open.points.empty()) m_open.points.push_back({m_x, m_y, true});
}

void GlyphOutlineBuilder::lineTo(std::int32_t x, std::int32_t y) {
  startContourIfNeeded();
  m_open.points.push_back({x, y, true});
  m_x = x;
  m_y = y;
}

void GlyphOutlineBuilder::curveTo(std::int32_t controlX, std::int32_t controlY, std::int32_t x, std::int32_t y) {
  startContourIfNeeded();
  m_open.points.push_back({controlX, controlY, false});
  m_open.points.push_back({x, y, true});
  m_x = x;
  m_y = y;
}

void GlyphOutlineBuilder::closeContour() {
  std::vector<GlyphPoint>& points = m_open.points;
  if (points.size() > 1 && points.back() == points.front()) points.pop_back();
  if (points.size() > 1) m_outline.contours.push_back(std::move(m_open));
  m_open = GlyphContour{};
}

GlyphOutline GlyphOutlineBuilder::finish() {
  closeContour();
  m_x = 0;
  m_y = 0;
  return std::exchange(m_outline, GlyphOutline{});
}

}  // namespace orvane
