#include "vector/ShapePaths.h"

#include <unordered_map>

namespace orvane {

namespace {

std::uint64_t pointKey(ShapePoint point) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(point.x)) << 32) |
         static_cast<std::uint32_t>(point.y);
}

PathSegment reversed(const PathSegment& segment) {
  return PathSegment{segment.to, segment.from, segment.control, segment.curved};
}

/// Chains the directed segments of one fill into closed contours, each segment used once.
std::vector<Contour> chainFill(const std::vector<PathSegment>& segments) {
  std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> startingAt;
  startingAt.reserve(segments.size());
  // Pushed in reverse so that popping from the back takes the earliest segment first.
  for (std::size_t i = segments.size(); i-- > 0;) startingAt[pointKey(segments[i].from)].push_back(std::uint32_t(i));
  std::vector<bool> used(segments.size(), false);
  std::vector<Contour> contours;
  for (std::uint32_t first = 0; first < segments.size(); ++first) {
    if (used[first]) continue;
    Contour contour;
    contour.closed = true;
    const ShapePoint start = segments[first].from;
    std::uint32_t current = first;
    while (true) {
      used[current] = true;
      contour.segments.push_back(segments[current]);
      const ShapePoint end = segments[current].to;
      if (end == start) break;
      auto next = startingAt.find(pointKey(end));
      if (next == startingAt.end()) break;
      std::vector<std::uint32_t>& candidates = next->second;
      while (!candidates.empty() && used[candidates.back()]) candidates.pop_back();
      if (candidates.empty()) break;
      current = candidates.back();
      candidates.pop_back();
    }
    contours.push_back(std::move(contour));
  }
  return contours;
}

class ShapeAssembler {
 public:
  explicit ShapeAssembler(const Shape& shape) : m_shape(shape) {
    m_fillEdges.resize(shape.styleGroups.size());
    m_lineContours.resize(shape.styleGroups.size());
    for (std::size_t g = 0; g < shape.styleGroups.size(); ++g) {
      m_fillEdges[g].resize(shape.styleGroups[g].fills.size());
      m_lineContours[g].resize(shape.styleGroups[g].lines.size());
    }
  }

  ShapePaths assemble() {
    for (const ShapeRecord& record : m_shape.records) {
      if (record.kind == ShapeRecord::Kind::StyleChange) {
        change(record);
        continue;
      }
      const PathSegment segment{m_pen, record.to, record.control, record.kind == ShapeRecord::Kind::CurvedEdge};
      m_pen = record.to;
      if (std::vector<PathSegment>* edges = fillEdges(m_fill0)) edges->push_back(reversed(segment));
      if (std::vector<PathSegment>* edges = fillEdges(m_fill1)) edges->push_back(segment);
      appendLine(segment);
    }
    return collect();
  }

 private:
  void change(const ShapeRecord& record) {
    if (record.flags & ShapeRecord::kNewStyles) {
      m_group = record.styleGroup;
      m_fill0 = m_fill1 = m_line = 0;
    }
    if (record.flags & ShapeRecord::kFill0) m_fill0 = record.fill0;
    if (record.flags & ShapeRecord::kFill1) m_fill1 = record.fill1;
    if (record.flags & ShapeRecord::kLine) m_line = record.line;
    m_pen = record.to;
    // A move or another line style starts a new stroke; a change of fills alone does not.
    if (record.flags & (ShapeRecord::kMoveTo | ShapeRecord::kLine | ShapeRecord::kNewStyles)) m_lineBroken = true;
  }

  std::vector<PathSegment>* fillEdges(std::uint32_t style) {
    if (style == 0 || m_group >= m_fillEdges.size() || style > m_fillEdges[m_group].size()) return nullptr;
    return &m_fillEdges[m_group][style - 1];
  }

  void appendLine(const PathSegment& segment) {
    if (m_line == 0 || m_group >= m_lineContours.size() || m_line > m_lineContours[m_group].size()) return;
    std::vector<Contour>& contours = m_lineContours[m_group][m_line - 1];
    if (m_lineBroken || contours.empty() || !(contours.back().segments.back().to == segment.from)) {
      contours.emplace_back();
    }
    contours.back().segments.push_back(segment);
    m_lineBroken = false;
  }

  ShapePaths collect() {
    ShapePaths paths;
    paths.layers.resize(m_fillEdges.size());
    for (std::uint32_t g = 0; g < m_fillEdges.size(); ++g) {
      for (std::uint32_t s = 0; s < m_fillEdges[g].size(); ++s) {
        if (m_fillEdges[g][s].empty()) continue;
        paths.layers[g].fills.push_back(StyledPath{g, s, chainFill(m_fillEdges[g][s])});
      }
      for (std::uint32_t s = 0; s < m_lineContours[g].size(); ++s) {
        std::vector<Contour>& contours = m_lineContours[g][s];
        if (contours.empty()) continue;
        for (Contour& contour : contours) contour.closed = contour.segments.back().to == contour.segments.front().from;
        paths.layers[g].lines.push_back(StyledPath{g, s, std::move(contours)});
      }
    }
    return paths;
  }

  const Shape& m_shape;
  std::vector<std::vector<std::vector<PathSegment>>> m_fillEdges;
  std::vector<std::vector<std::vector<Contour>>> m_lineContours;
  ShapePoint m_pen;
  std::uint32_t m_group = 0;
  std::uint32_t m_fill0 = 0;
  std::uint32_t m_fill1 = 0;
  std::uint32_t m_line = 0;
  bool m_lineBroken = true;
};

}  // namespace

ShapePaths assembleShape(const Shape& shape) { return ShapeAssembler(shape).assemble(); }

}  // namespace orvane
