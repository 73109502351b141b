#include "tests/support/ShapeBuilder.h"

#include <algorithm>

#include "tests/support/BitPacker.h"

namespace orvane::test {

namespace {

unsigned unsignedBitsFor(std::size_t count) {
  unsigned bits = 0;
  while ((std::size_t{1} << bits) <= count) ++bits;
  return bits;
}

unsigned signedBitsForAll(std::initializer_list<std::int32_t> values) {
  unsigned bits = 1;
  for (std::int32_t value : values) bits = std::max(bits, signedBitsFor(value));
  return bits;
}

}  // namespace

Bytes matrixBytes(std::int32_t scaleX, std::int32_t scaleY, std::int32_t rotate0, std::int32_t rotate1,
                  std::int32_t translateX, std::int32_t translateY) {
  BitPacker packer;
  const bool scaled = scaleX != 65536 || scaleY != 65536;
  packer.put(scaled ? 1 : 0, 1);
  if (scaled) {
    const unsigned bits = signedBitsForAll({scaleX, scaleY});
    packer.put(bits, 5);
    packer.put(static_cast<std::uint32_t>(scaleX), bits);
    packer.put(static_cast<std::uint32_t>(scaleY), bits);
  }
  const bool rotated = rotate0 != 0 || rotate1 != 0;
  packer.put(rotated ? 1 : 0, 1);
  if (rotated) {
    const unsigned bits = signedBitsForAll({rotate0, rotate1});
    packer.put(bits, 5);
    packer.put(static_cast<std::uint32_t>(rotate0), bits);
    packer.put(static_cast<std::uint32_t>(rotate1), bits);
  }
  const unsigned bits = translateX == 0 && translateY == 0 ? 0 : signedBitsForAll({translateX, translateY});
  packer.put(bits, 5);
  packer.put(static_cast<std::uint32_t>(translateX), bits);
  packer.put(static_cast<std::uint32_t>(translateY), bits);
  return packer.finish();
}

Bytes colorBytes(Color color, bool alpha) {
  Bytes bytes{color.red, color.green, color.blue};
  if (alpha) bytes.push_back(color.alpha);
  return bytes;
}

Bytes solidFill(Color color, bool alpha) {
  Bytes bytes{0x00};
  const Bytes rgb = colorBytes(color, alpha);
  bytes.insert(bytes.end(), rgb.begin(), rgb.end());
  return bytes;
}

Bytes gradientFill(std::uint8_t type, const Bytes& matrix, std::uint8_t spread, std::uint8_t interpolation,
                   const std::vector<std::pair<std::uint8_t, Color>>& stops, bool alpha, std::int16_t focal) {
  ByteWriter writer;
  writer.u8(type).bytes(matrix);
  writer.u8(static_cast<std::uint32_t>(spread << 6 | interpolation << 4 | (stops.size() & 0x0F)));
  for (const auto& [ratio, color] : stops) writer.u8(ratio).bytes(colorBytes(color, alpha));
  if (type == 0x13) writer.u16(static_cast<std::uint16_t>(focal));
  return writer.take();
}

Bytes bitmapFill(std::uint8_t type, std::uint16_t bitmapId, const Bytes& matrix) {
  ByteWriter writer;
  writer.u8(type).u16(bitmapId).bytes(matrix);
  return writer.take();
}

Bytes lineStyle(std::uint16_t width, Color color, bool alpha) {
  ByteWriter writer;
  writer.u16(width).bytes(colorBytes(color, alpha));
  return writer.take();
}

Bytes styleArray(const std::vector<Bytes>& styles) {
  ByteWriter writer;
  if (styles.size() < 0xFF) {
    writer.u8(static_cast<std::uint32_t>(styles.size()));
  } else {
    writer.u8(0xFF).u16(static_cast<std::uint32_t>(styles.size()));
  }
  for (const Bytes& style : styles) writer.bytes(style);
  return writer.take();
}

ShapeBuilder& ShapeBuilder::fill(const Bytes& style) {
  m_fills.push_back(style);
  return *this;
}

ShapeBuilder& ShapeBuilder::line(const Bytes& style) {
  m_lines.push_back(style);
  return *this;
}

ShapeBuilder& ShapeBuilder::change(const StyleChange& change) {
  m_records.push_back(Record{Record::Kind::Change, change, {}, {}});
  return *this;
}

ShapeBuilder& ShapeBuilder::newStyles(const StyleChange& change, const std::vector<Bytes>& fills,
                                      const std::vector<Bytes>& lines) {
  m_records.push_back(Record{Record::Kind::NewStyles, change, fills, lines});
  return *this;
}

ShapeBuilder& ShapeBuilder::lineTo(std::int32_t dx, std::int32_t dy) {
  m_records.push_back(Record{Record::Kind::Line, {}, {}, {}, {dx, dy, 0, 0}});
  return *this;
}

ShapeBuilder& ShapeBuilder::curveTo(std::int32_t controlDx, std::int32_t controlDy, std::int32_t anchorDx,
                                    std::int32_t anchorDy) {
  m_records.push_back(Record{Record::Kind::Curve, {}, {}, {}, {controlDx, controlDy, anchorDx, anchorDy}});
  return *this;
}

Bytes ShapeBuilder::shape() const {
  // Records are bit-packed across byte boundaries, except where new style arrays begin.
  Bytes out;
  BitPacker packer;
  unsigned fillBits = unsignedBitsFor(m_fills.size());
  unsigned lineBits = unsignedBitsFor(m_lines.size());
  packer.put(fillBits, 4);
  packer.put(lineBits, 4);
  for (const Record& record : m_records) {
    if (record.kind == Record::Kind::Line || record.kind == Record::Kind::Curve) {
      const std::int32_t* v = record.values;
      const unsigned bits = std::max(2u, signedBitsForAll({v[0], v[1], v[2], v[3]}));
      packer.put(1, 1);
      packer.put(record.kind == Record::Kind::Line ? 1 : 0, 1);
      packer.put(bits - 2, 4);
      if (record.kind == Record::Kind::Line) {
        packer.put(1, 1);  // a general line: both deltas
        packer.put(static_cast<std::uint32_t>(v[0]), bits);
        packer.put(static_cast<std::uint32_t>(v[1]), bits);
      } else {
        for (int i = 0; i < 4; ++i) packer.put(static_cast<std::uint32_t>(v[i]), bits);
      }
      continue;
    }
    const StyleChange& c = record.change;
    const bool fresh = record.kind == Record::Kind::NewStyles;
    const std::uint32_t flags = (fresh ? 0x10 : 0) | (c.line >= 0 ? 0x08 : 0) | (c.fill1 >= 0 ? 0x04 : 0) |
                                (c.fill0 >= 0 ? 0x02 : 0) | (c.move ? 0x01 : 0);
    packer.put(0, 1);
    packer.put(flags, 5);
    if (c.move) {
      const unsigned bits = signedBitsForAll({c.x, c.y});
      packer.put(bits, 5);
      packer.put(static_cast<std::uint32_t>(c.x), bits);
      packer.put(static_cast<std::uint32_t>(c.y), bits);
    }
    if (c.fill0 >= 0) packer.put(static_cast<std::uint32_t>(c.fill0), fillBits);
    if (c.fill1 >= 0) packer.put(static_cast<std::uint32_t>(c.fill1), fillBits);
    if (c.line >= 0) packer.put(static_cast<std::uint32_t>(c.line), lineBits);
    if (fresh) {
      const Bytes packed = packer.finish();
      out.insert(out.end(), packed.begin(), packed.end());
      packer = BitPacker{};
      const Bytes fills = styleArray(record.fills);
      const Bytes lines = styleArray(record.lines);
      out.insert(out.end(), fills.begin(), fills.end());
      out.insert(out.end(), lines.begin(), lines.end());
      fillBits = unsignedBitsFor(record.fills.size());
      lineBits = unsignedBitsFor(record.lines.size());
      packer.put(fillBits, 4);
      packer.put(lineBits, 4);
    }
  }
  packer.put(0, 6);  // the end record
  const Bytes packed = packer.finish();
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}

Bytes ShapeBuilder::shapeWithStyle() const {
  ByteWriter writer;
  writer.bytes(styleArray(m_fills)).bytes(styleArray(m_lines)).bytes(shape());
  return writer.take();
}

Bytes ShapeBuilder::defineShape(std::uint16_t id, const Bytes& bounds) const {
  ByteWriter writer;
  writer.u16(id).bytes(bounds).bytes(shapeWithStyle());
  return writer.take();
}

}  // namespace orvane::test
