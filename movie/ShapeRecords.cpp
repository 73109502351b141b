#include "movie/ShapeRecords.h"

#include <algorithm>
#include <climits>

#include "movie/TagHeader.h"

namespace orvane {

namespace {

constexpr std::uint32_t kMaxGradientStops = 15;

/// The smallest number of bytes one style can take (a gradient without stops; a line of
/// DefineShape4 with its flags and colour): a larger count than the rest of the data
/// divided by these cannot be real.
constexpr std::uint32_t kSmallestFillBytes = 3;
std::uint32_t smallestLineBytes(ShapeVersion version) {
  switch (version) {
    case ShapeVersion::Shape4: return 8;
    case ShapeVersion::Shape3: return 6;
    default: return 5;
  }
}

bool isKnownFillType(std::uint8_t type) {
  FillStyle fill;
  fill.type = type;
  return type == fillkind::kSolid || type == fillkind::kLinearGradient || type == fillkind::kRadialGradient ||
         type == fillkind::kFocalGradient || fill.isBitmap();
}

Gradient readGradient(BitReader& reader, ShapeVersion version, bool focal) {
  Gradient gradient;
  reader.alignToByte();
  gradient.spreadMode = static_cast<std::uint8_t>(reader.readUB(2));
  gradient.interpolationMode = static_cast<std::uint8_t>(reader.readUB(2));
  const std::uint32_t count = std::min(reader.readUB(4), kMaxGradientStops);
  const bool withAlpha = version >= ShapeVersion::Shape3;
  for (std::uint32_t i = 0; i < count && !reader.exhausted(); ++i) {
    GradientStop stop;
    stop.ratio = reader.readU8();
    stop.color = readColor(reader, withAlpha);
    gradient.stops.push_back(stop);
  }
  if (focal) gradient.focalPoint = static_cast<std::int16_t>(reader.readU16()) / 256.0;
  return gradient;
}

LineStyle readLineStyle(BitReader& reader, ShapeVersion version) {
  LineStyle line;
  line.width = reader.readU16();
  if (version != ShapeVersion::Shape4) {
    line.color = readColor(reader, version >= ShapeVersion::Shape3);
    return line;
  }
  readLineStyle2Flags(reader, line);
  if (line.hasFill) {
    line.fill = readFillStyle(reader, version);
    line.color = line.fill.color;
  } else {
    line.color = readColor(reader, true);
  }
  return line;
}

/// A style count: one byte, or 0xFF followed by a 16-bit count where the version allows it.
std::uint32_t readStyleCount(BitReader& reader, bool extended) {
  const std::uint32_t count = reader.readU8();
  return count == 0xFF && extended ? reader.readU16() : count;
}

/// Reads the records from the reader's position; returns the fault text or an empty one.
class ShapeRecordReader {
 public:
  ShapeRecordReader(BitReader& reader, ShapeVersion version, Shape& shape)
      : m_reader(reader), m_version(version), m_shape(shape) {}

  std::string read() {
    readBitCounts();
    if (m_reader.exhausted()) return "the shape ends before its style index widths";
    while (true) {
      const bool edge = m_reader.readUB(1) != 0;
      if (m_reader.exhausted()) return "the shape ends without its end record";
      const std::string fault = edge ? readEdge() : readStyleChange();
      if (!fault.empty()) return fault;
      if (m_ended) return {};
    }
  }

 private:
  void readBitCounts() {
    m_fillBits = m_reader.readUB(4);
    m_lineBits = m_reader.readUB(4);
  }

  std::string readStyleChange() {
    const std::uint32_t flags = m_reader.readUB(5);
    if (m_reader.exhausted()) return "the shape ends inside a style change record";
    if (flags == 0) {
      m_ended = true;
      return {};
    }
    ShapeRecord record;
    record.kind = ShapeRecord::Kind::StyleChange;
    // DefineShape has no new styles: its flag bit means nothing there.
    const bool newStyles = (flags & 0x10) != 0 && m_version >= ShapeVersion::Shape2;
    record.flags = static_cast<std::uint8_t>(flags & (newStyles ? 0x1F : 0x0F));
    if (flags & ShapeRecord::kMoveTo) {
      const unsigned bits = m_reader.readUB(5);
      m_pen.x = m_reader.readSB(bits);
      m_pen.y = m_reader.readSB(bits);
    }
    record.to = m_pen;
    if (flags & ShapeRecord::kFill0) record.fill0 = m_reader.readUB(m_fillBits);
    if (flags & ShapeRecord::kFill1) record.fill1 = m_reader.readUB(m_fillBits);
    if (flags & ShapeRecord::kLine) record.line = m_reader.readUB(m_lineBits);
    if (m_reader.exhausted()) return "the shape ends inside a style change record";
    if (newStyles) {
      ShapeStyles styles;
      std::string fault;
      if (!readShapeStyles(m_reader, m_version, styles, fault)) return fault;
      record.styleGroup = static_cast<std::uint32_t>(m_shape.styleGroups.size());
      m_shape.styleGroups.push_back(std::move(styles));
      readBitCounts();
      if (m_reader.exhausted()) return "the shape ends inside the new styles of a style change record";
    }
    m_shape.records.push_back(record);
    return {};
  }

  std::string readEdge() {
    const bool straight = m_reader.readUB(1) != 0;
    const unsigned bits = m_reader.readUB(4) + 2;
    ShapeRecord record;
    if (straight) {
      record.kind = ShapeRecord::Kind::StraightEdge;
      std::int32_t dx = 0;
      std::int32_t dy = 0;
      if (m_reader.readUB(1) != 0) {
        dx = m_reader.readSB(bits);
        dy = m_reader.readSB(bits);
      } else if (m_reader.readUB(1) != 0) {
        dy = m_reader.readSB(bits);
      } else {
        dx = m_reader.readSB(bits);
      }
      m_pen = moved(m_pen, dx, dy);
    } else {
      record.kind = ShapeRecord::Kind::CurvedEdge;
      const std::int32_t cx = m_reader.readSB(bits);
      const std::int32_t cy = m_reader.readSB(bits);
      const std::int32_t ax = m_reader.readSB(bits);
      const std::int32_t ay = m_reader.readSB(bits);
      record.control = moved(m_pen, cx, cy);
      m_pen = moved(record.control, ax, ay);
    }
    if (m_reader.exhausted()) return "the shape ends inside an edge record";
    record.to = m_pen;
    m_shape.records.push_back(record);
    return {};
  }

  /// Deltas are at most 17 bits wide; saturating keeps absurd sums defined.
  static ShapePoint moved(ShapePoint from, std::int32_t dx, std::int32_t dy) {
    const auto clamp = [](std::int64_t v) {
      return static_cast<std::int32_t>(std::max<std::int64_t>(INT32_MIN, std::min<std::int64_t>(INT32_MAX, v)));
    };
    return {clamp(std::int64_t{from.x} + dx), clamp(std::int64_t{from.y} + dy)};
  }

  BitReader& m_reader;
  ShapeVersion m_version;
  Shape& m_shape;
  unsigned m_fillBits = 0;
  unsigned m_lineBits = 0;
  ShapePoint m_pen;
  bool m_ended = false;
};

}  // namespace

void readLineStyle2Flags(BitReader& reader, LineStyle& line) {
  line.startCap = static_cast<std::uint8_t>(reader.readUB(2));
  line.join = static_cast<std::uint8_t>(reader.readUB(2));
  line.hasFill = reader.readUB(1) != 0;
  line.noHorizontalScale = reader.readUB(1) != 0;
  line.noVerticalScale = reader.readUB(1) != 0;
  line.pixelHinting = reader.readUB(1) != 0;
  reader.readUB(5);
  line.noClose = reader.readUB(1) != 0;
  line.endCap = static_cast<std::uint8_t>(reader.readUB(2));
  if (line.join == linejoin::kMiter) line.miterLimit = reader.readU16();
}

FillStyle readFillStyle(BitReader& reader, ShapeVersion version) {
  FillStyle fill;
  reader.alignToByte();
  fill.type = reader.readU8();
  if (fill.type == fillkind::kSolid) {
    fill.color = readColor(reader, version >= ShapeVersion::Shape3);
  } else if (fill.isGradient()) {
    fill.matrix = readMatrix(reader);
    fill.gradient = readGradient(reader, version, fill.type == fillkind::kFocalGradient);
  } else if (fill.isBitmap()) {
    fill.bitmapId = reader.readU16();
    fill.matrix = readMatrix(reader);
  }
  return fill;
}

bool readShapeStyles(BitReader& reader, ShapeVersion version, ShapeStyles& styles, std::string& fault) {
  reader.alignToByte();
  const std::uint32_t fillCount = readStyleCount(reader, version >= ShapeVersion::Shape2);
  if (reader.exhausted() || fillCount > reader.remaining() / kSmallestFillBytes) {
    fault = "the fill style count " + std::to_string(fillCount) + " passes the end of the shape";
    return false;
  }
  styles.fills.reserve(fillCount);
  for (std::uint32_t i = 0; i < fillCount; ++i) {
    styles.fills.push_back(readFillStyle(reader, version));
    if (!isKnownFillType(styles.fills.back().type)) {
      fault = "fill style " + std::to_string(i + 1) + " has the unknown type " + std::to_string(styles.fills.back().type);
      return false;
    }
  }
  if (reader.exhausted()) {
    fault = "the shape ends inside its fill styles";
    return false;
  }
  const std::uint32_t lineCount = readStyleCount(reader, true);
  if (reader.exhausted() || lineCount > reader.remaining() / smallestLineBytes(version)) {
    fault = "the line style count " + std::to_string(lineCount) + " passes the end of the shape";
    return false;
  }
  styles.lines.reserve(lineCount);
  for (std::uint32_t i = 0; i < lineCount; ++i) styles.lines.push_back(readLineStyle(reader, version));
  if (reader.exhausted()) {
    fault = "the shape ends inside its line styles";
    return false;
  }
  return true;
}

void readShape(BitReader& reader, ShapeVersion version, bool withStyles, Shape& shape) {
  shape = Shape{};
  shape.styleGroups.emplace_back();
  if (withStyles && !readShapeStyles(reader, version, shape.styleGroups.front(), shape.fault)) return;
  reader.alignToByte();
  shape.fault = ShapeRecordReader(reader, version, shape).read();
}

DefinedShape readDefineShape(std::span<const std::uint8_t> body, std::uint16_t code) {
  DefinedShape defined;
  BitReader reader(body);
  defined.characterId = reader.readU16();
  defined.bounds = readRect(reader);
  if (code == tag::kDefineShape4) {
    readRect(reader);  // the edge bounds
    reader.readU8();   // the stroke and winding flags
  }
  readShape(reader, shapeVersionOf(code), true, defined.shape);
  return defined;
}

ShapeVersion shapeVersionOf(std::uint16_t code) {
  switch (code) {
    case tag::kDefineShape2: return ShapeVersion::Shape2;
    case tag::kDefineShape3: return ShapeVersion::Shape3;
    case tag::kDefineShape4: return ShapeVersion::Shape4;
    default: return ShapeVersion::Shape1;
  }
}

}  // namespace orvane
