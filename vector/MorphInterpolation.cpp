#include "vector/MorphInterpolation.h"

#include <cmath>

namespace orvane {

namespace {

class Interpolator {
 public:
  explicit Interpolator(std::uint16_t ratio) : m_t(ratio / 65535.0) {}

  std::int32_t value(std::int32_t a, std::int32_t b) const {
    return static_cast<std::int32_t>(std::lround(a + (double(b) - a) * m_t));
  }
  std::uint8_t byte(std::uint8_t a, std::uint8_t b) const { return static_cast<std::uint8_t>(value(a, b)); }
  Rgba color(Rgba a, Rgba b) const {
    return Rgba{byte(a.red, b.red), byte(a.green, b.green), byte(a.blue, b.blue), byte(a.alpha, b.alpha)};
  }
  ShapePoint point(ShapePoint a, ShapePoint b) const { return ShapePoint{value(a.x, b.x), value(a.y, b.y)}; }
  SwfMatrix matrix(const SwfMatrix& a, const SwfMatrix& b) const {
    return SwfMatrix{value(a.scaleX, b.scaleX),           value(a.scaleY, b.scaleY),
                     value(a.rotateSkew0, b.rotateSkew0), value(a.rotateSkew1, b.rotateSkew1),
                     value(a.translateX, b.translateX),   value(a.translateY, b.translateY)};
  }

  FillStyle fill(const FillStyle& a, const FillStyle& b) const {
    FillStyle fill = a;
    fill.color = color(a.color, b.color);
    fill.matrix = matrix(a.matrix, b.matrix);
    fill.gradient.focalPoint = a.gradient.focalPoint + (b.gradient.focalPoint - a.gradient.focalPoint) * m_t;
    for (std::size_t i = 0; i < fill.gradient.stops.size() && i < b.gradient.stops.size(); ++i) {
      fill.gradient.stops[i].ratio = byte(a.gradient.stops[i].ratio, b.gradient.stops[i].ratio);
      fill.gradient.stops[i].color = color(a.gradient.stops[i].color, b.gradient.stops[i].color);
    }
    return fill;
  }

  LineStyle line(const LineStyle& a, const LineStyle& b) const {
    LineStyle line = a;
    line.width = static_cast<std::uint16_t>(value(a.width, b.width));
    line.color = color(a.color, b.color);
    line.fill = fill(a.fill, b.fill);
    return line;
  }

 private:
  double m_t;
};

bool isEdge(const ShapeRecord& record) { return record.kind != ShapeRecord::Kind::StyleChange; }

/// A straight edge as the curve it equals: the control point in its middle.
ShapePoint controlOf(const ShapeRecord& edge, ShapePoint from) {
  if (edge.kind == ShapeRecord::Kind::CurvedEdge) return edge.control;
  return ShapePoint{static_cast<std::int32_t>((std::int64_t{from.x} + edge.to.x) / 2),
                    static_cast<std::int32_t>((std::int64_t{from.y} + edge.to.y) / 2)};
}

}  // namespace

Shape morphShapeAt(const MorphShape& morph, std::uint16_t ratio) {
  const Interpolator mix(ratio);
  Shape shape;
  ShapeStyles styles;
  for (std::size_t i = 0; i < morph.startStyles.fills.size() && i < morph.endStyles.fills.size(); ++i)
    styles.fills.push_back(mix.fill(morph.startStyles.fills[i], morph.endStyles.fills[i]));
  for (std::size_t i = 0; i < morph.startStyles.lines.size() && i < morph.endStyles.lines.size(); ++i)
    styles.lines.push_back(mix.line(morph.startStyles.lines[i], morph.endStyles.lines[i]));
  shape.styleGroups.push_back(std::move(styles));

  const std::vector<ShapeRecord>& start = morph.startEdges.records;
  const std::vector<ShapeRecord>& end = morph.endEdges.records;
  shape.records.reserve(start.size());
  std::size_t j = 0;
  ShapePoint startPen;
  ShapePoint endPen;
  for (const ShapeRecord& record : start) {
    ShapeRecord out = record;
    if (!isEdge(record)) {
      // The end shape's own style change, when it has one here, gives the move's end point.
      if (j < end.size() && !isEdge(end[j])) {
        if (end[j].flags & ShapeRecord::kMoveTo) endPen = end[j].to;
        ++j;
      } else if (record.flags & ShapeRecord::kMoveTo) {
        endPen = record.to;
      }
      out.flags &= static_cast<std::uint8_t>(~ShapeRecord::kNewStyles);
      if (record.flags & ShapeRecord::kMoveTo) startPen = record.to;
      out.to = mix.point(startPen, endPen);
      shape.records.push_back(out);
      continue;
    }
    while (j < end.size() && !isEdge(end[j])) {
      if (end[j].flags & ShapeRecord::kMoveTo) endPen = end[j].to;
      ++j;
    }
    if (j >= end.size()) {
      shape.records.push_back(record);
      startPen = record.to;
      continue;
    }
    const ShapeRecord& partner = end[j++];
    if (record.kind == ShapeRecord::Kind::StraightEdge && partner.kind == ShapeRecord::Kind::StraightEdge) {
      out.to = mix.point(record.to, partner.to);
    } else {
      out.kind = ShapeRecord::Kind::CurvedEdge;
      out.control = mix.point(controlOf(record, startPen), controlOf(partner, endPen));
      out.to = mix.point(record.to, partner.to);
    }
    startPen = record.to;
    endPen = partner.to;
    shape.records.push_back(out);
  }
  return shape;
}

}  // namespace orvane
