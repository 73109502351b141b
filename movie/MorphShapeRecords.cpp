#include "movie/MorphShapeRecords.h"

#include "movie/TagHeader.h"

namespace orvane {

namespace {

constexpr std::uint32_t kMaxGradientStops = 15;
/// A morph fill or line style takes at least this many bytes (a gradient without stops: the
/// type, two matrices and the count; a line: two widths and two colours).
constexpr std::uint32_t kSmallestMorphFillBytes = 4;
constexpr std::uint32_t kSmallestMorphLineBytes = 12;

struct StylePair {
  FillStyle start;
  FillStyle end;
};

void readMorphGradient(BitReader& reader, bool focal, StylePair& pair) {
  // Movies of version 8 and later keep spread and interpolation in the count byte, as
  // GRADIENT does; older ones leave those bits zero.
  const std::uint8_t header = reader.readU8();
  for (FillStyle* fill : {&pair.start, &pair.end}) {
    fill->gradient.spreadMode = static_cast<std::uint8_t>(header >> 6);
    fill->gradient.interpolationMode = static_cast<std::uint8_t>((header >> 4) & 3);
  }
  const std::uint32_t count = std::min<std::uint32_t>(header & 0x0F, kMaxGradientStops);
  for (std::uint32_t i = 0; i < count && !reader.exhausted(); ++i) {
    for (FillStyle* fill : {&pair.start, &pair.end}) {
      GradientStop stop;
      stop.ratio = reader.readU8();
      stop.color = readColor(reader, true);
      fill->gradient.stops.push_back(stop);
    }
  }
  if (focal) {
    pair.start.gradient.focalPoint = static_cast<std::int16_t>(reader.readU16()) / 256.0;
    pair.end.gradient.focalPoint = static_cast<std::int16_t>(reader.readU16()) / 256.0;
  }
}

/// False for a fill type the format does not know.
bool readMorphFill(BitReader& reader, StylePair& pair) {
  const std::uint8_t type = reader.readU8();
  pair.start.type = pair.end.type = type;
  if (type == fillkind::kSolid) {
    pair.start.color = readColor(reader, true);
    pair.end.color = readColor(reader, true);
  } else if (pair.start.isGradient()) {
    pair.start.matrix = readMatrix(reader);
    pair.end.matrix = readMatrix(reader);
    reader.alignToByte();
    readMorphGradient(reader, type == fillkind::kFocalGradient, pair);
  } else if (pair.start.isBitmap()) {
    pair.start.bitmapId = pair.end.bitmapId = reader.readU16();
    pair.start.matrix = readMatrix(reader);
    pair.end.matrix = readMatrix(reader);
    reader.alignToByte();
  } else {
    return false;
  }
  return true;
}

/// False for a line whose fill has a type the format does not know.
bool readMorphLine(BitReader& reader, bool second, LineStyle& start, LineStyle& end) {
  start.width = reader.readU16();
  end.width = reader.readU16();
  if (second) {
    readLineStyle2Flags(reader, start);
    const std::uint16_t endWidth = end.width;
    end = start;
    end.width = endWidth;
    if (start.hasFill) {
      StylePair pair;
      if (!readMorphFill(reader, pair)) return false;
      start.fill = pair.start;
      end.fill = pair.end;
      start.color = pair.start.color;
      end.color = pair.end.color;
      return true;
    }
  }
  start.color = readColor(reader, true);
  end.color = readColor(reader, true);
  return true;
}

std::uint32_t readCount(BitReader& reader) {
  const std::uint32_t count = reader.readU8();
  return count == 0xFF ? reader.readU16() : count;
}

bool readMorphStyles(BitReader& reader, bool second, MorphShape& morph) {
  const std::uint32_t fillCount = readCount(reader);
  if (reader.exhausted() || fillCount > reader.remaining() / kSmallestMorphFillBytes) {
    morph.fault = "the fill style count " + std::to_string(fillCount) + " passes the end of the morph shape";
    return false;
  }
  for (std::uint32_t i = 0; i < fillCount; ++i) {
    StylePair pair;
    if (!readMorphFill(reader, pair)) {
      morph.fault = "fill style " + std::to_string(i + 1) + " has the unknown type " + std::to_string(pair.start.type);
      return false;
    }
    morph.startStyles.fills.push_back(pair.start);
    morph.endStyles.fills.push_back(pair.end);
  }
  const std::uint32_t lineCount = readCount(reader);
  if (reader.exhausted() || lineCount > reader.remaining() / kSmallestMorphLineBytes) {
    morph.fault = "the line style count " + std::to_string(lineCount) + " passes the end of the morph shape";
    return false;
  }
  for (std::uint32_t i = 0; i < lineCount; ++i) {
    LineStyle start;
    LineStyle end;
    if (!readMorphLine(reader, second, start, end)) {
      morph.fault = "the fill of line style " + std::to_string(i + 1) + " has an unknown type";
      return false;
    }
    morph.startStyles.lines.push_back(start);
    morph.endStyles.lines.push_back(end);
  }
  if (reader.exhausted()) {
    morph.fault = "the morph shape ends inside its styles";
    return false;
  }
  return true;
}

}  // namespace

MorphShape readMorphShape(std::span<const std::uint8_t> body, std::uint16_t code) {
  const bool second = code == tag::kDefineMorphShape2;
  MorphShape morph;
  BitReader reader(body);
  morph.characterId = reader.readU16();
  morph.startBounds = readRect(reader);
  morph.endBounds = readRect(reader);
  if (second) {
    readRect(reader);
    readRect(reader);
    reader.readU8();  // the stroke scaling flags
  }
  reader.alignToByte();
  const std::uint32_t offsetField = reader.position();
  const std::uint32_t endEdgesOffset = reader.readU32();
  if (reader.exhausted()) {
    morph.fault = "the morph shape ends before its end edges offset";
    return morph;
  }
  if (!readMorphStyles(reader, second, morph)) return morph;
  readShape(reader, ShapeVersion::Shape3, false, morph.startEdges);
  if (!morph.startEdges.fault.empty()) {
    morph.fault = "start edges: " + morph.startEdges.fault;
    return morph;
  }
  const std::uint64_t endEdges = std::uint64_t{offsetField} + 4 + endEdgesOffset;
  if (endEdges >= body.size()) {
    morph.fault = "the end edges offset " + std::to_string(endEdgesOffset) + " passes the end of the morph shape";
    return morph;
  }
  reader.setPosition(static_cast<std::uint32_t>(endEdges));
  readShape(reader, ShapeVersion::Shape3, false, morph.endEdges);
  if (!morph.endEdges.fault.empty()) morph.fault = "end edges: " + morph.endEdges.fault;
  return morph;
}

}  // namespace orvane
