#include "tests/support/FontBuilder.h"

#include "movie/TagHeader.h"
#include "tests/support/BitPacker.h"

namespace orvane::test {

Bytes defineFont2Body(const FontSpec& fields) {
  ByteWriter out;
  out.u16(fields.id);
  out.u8(fields.flags | (fields.layout ? 0x80 : 0) | (fields.wideOffsets ? 0x08 : 0));
  out.u8(fields.language);
  out.u8(static_cast<std::uint32_t>(fields.name.size() + 1));
  out.string(fields.name);
  out.u16(static_cast<std::uint32_t>(fields.shapes.size()));
  const std::uint32_t offsetSize = fields.wideOffsets ? 4 : 2;
  std::uint32_t offset = offsetSize * static_cast<std::uint32_t>(fields.shapes.size() + 1);
  const auto writeOffset = [&](std::uint32_t value) { fields.wideOffsets ? out.u32(value) : out.u16(value); };
  for (const Bytes& shape : fields.shapes) {
    writeOffset(offset);
    offset += static_cast<std::uint32_t>(shape.size());
  }
  writeOffset(offset);  // the code table's
  for (const Bytes& shape : fields.shapes) out.bytes(shape);
  const bool wideCodes = (fields.flags & 0x04) != 0;
  for (const std::uint16_t code : fields.codes) wideCodes ? out.u16(code) : out.u8(code);
  if (fields.layout) {
    out.u16(fields.ascent);
    out.u16(fields.descent);
    out.u16(static_cast<std::uint16_t>(fields.leading));
    for (const std::int16_t advance : fields.advances) out.u16(static_cast<std::uint16_t>(advance));
    for (const Bytes& bounds : fields.bounds) out.bytes(bounds);
    out.u16(static_cast<std::uint32_t>(fields.kerning.size()));
    for (const KerningSpec& pair : fields.kerning) {
      wideCodes ? out.u16(pair.left) : out.u8(pair.left);
      wideCodes ? out.u16(pair.right) : out.u8(pair.right);
      out.u16(static_cast<std::uint16_t>(pair.adjustment));
    }
  }
  return out.take();
}

Bytes defineFontBody(std::uint16_t id, const std::vector<Bytes>& shapes) {
  ByteWriter out;
  out.u16(id);
  std::uint32_t offset = 2 * static_cast<std::uint32_t>(shapes.size());
  for (const Bytes& shape : shapes) {
    out.u16(offset);
    offset += static_cast<std::uint32_t>(shape.size());
  }
  for (const Bytes& shape : shapes) out.bytes(shape);
  return out.take();
}

Bytes defineFontInfoBody(std::uint16_t id, const std::string& name, std::uint8_t flags,
                         const std::vector<std::uint16_t>& codes, bool second, std::uint8_t language) {
  ByteWriter out;
  out.u16(id);
  out.u8(static_cast<std::uint32_t>(name.size()));
  for (const char c : name) out.u8(static_cast<unsigned char>(c));
  out.u8(flags);
  if (second) out.u8(language);
  for (const std::uint16_t code : codes) (flags & 0x01) != 0 ? out.u16(code) : out.u8(code);
  return out.take();
}

Bytes defineFontNameBody(std::uint16_t id, const std::string& name, const std::string& copyright) {
  ByteWriter out;
  out.u16(id);
  out.string(name);
  out.string(copyright);
  return out.take();
}

Bytes glyphShape(const ShapeBuilder& build) {
  ShapeBuilder withFill = build;
  withFill.fill(solidFill({}, false));
  return withFill.shape();
}

Bytes defineTextBody(std::uint16_t id, const Bytes& bounds, const Bytes& matrix, std::uint8_t glyphBits,
                     std::uint8_t advanceBits, const std::vector<TextRecordSpec>& records, bool alpha) {
  ByteWriter out;
  out.u16(id);
  out.bytes(bounds);
  out.bytes(matrix);
  out.u8(glyphBits);
  out.u8(advanceBits);
  const auto inShort = [](int value) { return value >= -0x8000 && value <= 0x7FFF; };
  for (const TextRecordSpec& record : records) {
    const bool hasFont = record.fontId >= 0;
    out.u8(0x80 | (hasFont ? 0x08 : 0) | (record.hasColor ? 0x04 : 0) | (inShort(record.yOffset) ? 0x02 : 0) |
           (inShort(record.xOffset) ? 0x01 : 0));
    if (hasFont) out.u16(static_cast<std::uint32_t>(record.fontId));
    if (record.hasColor) out.bytes(colorBytes(record.color, alpha));
    if (inShort(record.xOffset)) out.u16(static_cast<std::uint16_t>(record.xOffset));
    if (inShort(record.yOffset)) out.u16(static_cast<std::uint16_t>(record.yOffset));
    if (hasFont) out.u16(record.height);
    out.u8(static_cast<std::uint32_t>(record.glyphs.size()));
    BitPacker packer;
    for (const auto& [index, advance] : record.glyphs) {
      packer.put(index, glyphBits);
      packer.put(static_cast<std::uint32_t>(advance), advanceBits);
    }
    out.bytes(packer.finish());
  }
  out.u8(0);
  return out.take();
}

Bytes defineEditTextBody(const EditTextSpec& fields) {
  ByteWriter out;
  out.u16(fields.id);
  out.bytes(fields.bounds);
  out.u8(fields.flags >> 8);
  out.u8(fields.flags & 0xFF);
  const auto has = [&](std::uint16_t flag) { return (fields.flags & flag) != 0; };
  if (has(0x0100)) out.u16(fields.fontId);
  if (has(0x0080)) out.string(fields.fontClass);
  if (has(0x0100) || has(0x0080)) out.u16(fields.fontHeight);
  if (has(0x0400)) out.bytes(colorBytes(fields.color, true));
  if (has(0x0200)) out.u16(fields.maxLength);
  if (has(0x0020)) {
    out.u8(fields.align);
    out.u16(fields.leftMargin);
    out.u16(fields.rightMargin);
    out.u16(fields.indent);
    out.u16(static_cast<std::uint16_t>(fields.leading));
  }
  out.string(fields.variableName);
  if (has(0x8000)) out.string(fields.initialText);
  return out.take();
}

FontSpec testSansFont() {
  ShapeBuilder a;
  a.change({.move = true, .x = 0, .y = 0, .fill0 = 1}).lineTo(250, -700).curveTo(250, 350, 0, 350).lineTo(-500, 0);
  ShapeBuilder e;
  e.change({.move = true, .x = 0, .y = 0, .fill0 = 1}).lineTo(0, -400).lineTo(400, 0).lineTo(0, 400).lineTo(-400, 0);
  FontSpec fields;
  fields.id = 3;
  fields.name = "Test Sans";
  fields.shapes = {glyphShape(a), glyphShape(ShapeBuilder{}), glyphShape(e)};
  fields.codes = {'A', ' ', 0x00E9};
  fields.layout = true;
  fields.ascent = 900;
  fields.descent = 200;
  fields.advances = {600, 250, 500};
  fields.bounds = {rectBytes(0, 500, -700, 0), rectBytes(0, 0, 0, 0), rectBytes(0, 400, -400, 0)};
  fields.kerning = {{'A', 0x00E9, -20}};
  return fields;
}

std::vector<TextRecordSpec> testSansRecords() {
  TextRecordSpec first;
  first.fontId = 3;
  first.height = 512;
  first.hasColor = true;
  first.color = {255, 0, 0, 128};
  first.xOffset = 0;
  first.yOffset = 0;
  first.glyphs = {{0, 600}, {1, 250}};
  TextRecordSpec second;
  second.xOffset = 50;
  second.yOffset = 400;
  second.glyphs = {{2, 500}};
  TextRecordSpec third;
  third.glyphs = {{3, -100}};
  return {first, second, third};
}

Bytes testSansMovie(const Bytes& placement) {
  MovieBuilder movie(8);
  movie.tag(tag::kDefineFont2, defineFont2Body(testSansFont()))
      .tag(tag::kDefineText2, defineTextBody(10, rectBytes(0, 2000, -800, 200),
                                             matrixBytes(65536, 65536, 0, 0, 100, 200), 2, 11, testSansRecords(), true));
  if (!placement.empty()) movie.tag(tag::kPlaceObject2, placement);
  movie.showFrame().end();
  return movie.build();
}

}  // namespace orvane::test
