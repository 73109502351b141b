#include "fonts/GlyphShape.h"

#include "movie/ShapeRecords.h"

namespace orvane {

GlyphOutline readGlyphShape(std::span<const std::uint8_t> bytes, std::string& fault) {
  // Authoring tools write a blank glyph as the one byte of its index widths, without an
  // end record.
  if (bytes.size() == 1) {
    fault.clear();
    return {};
  }
  BitReader reader(bytes);
  Shape shape;
  readShape(reader, ShapeVersion::Glyph, false, shape);
  fault = shape.fault;
  GlyphOutlineBuilder builder;
  for (const ShapeRecord& record : shape.records) {
    switch (record.kind) {
      case ShapeRecord::Kind::StyleChange:
        if (record.flags & ShapeRecord::kMoveTo) builder.moveTo(record.to.x, record.to.y);
        break;
      case ShapeRecord::Kind::StraightEdge:
        builder.lineTo(record.to.x, record.to.y);
        break;
      case ShapeRecord::Kind::CurvedEdge:
        builder.curveTo(record.control.x, record.control.y, record.to.x, record.to.y);
        break;
    }
  }
  return builder.finish();
}

}  // namespace orvane
