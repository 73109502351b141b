#include "fonts/TextDecoder.h"

#include <string>

#include "fonts/FontCodes.h"
#include "movie/BitReader.h"
#include "movie/TagHeader.h"

namespace orvane {
namespace {

constexpr unsigned kWidestField = 32;

// TEXTRECORD style flags after the record type and three reserved bits.
constexpr std::uint8_t kRecordType = 0x80;
constexpr std::uint8_t kHasFont = 0x08;
constexpr std::uint8_t kHasColor = 0x04;
constexpr std::uint8_t kHasYOffset = 0x02;
constexpr std::uint8_t kHasXOffset = 0x01;

class StaticTextReader {
 public:
  StaticTextReader(std::uint16_t code, std::span<const std::uint8_t> body) : m_reader(body) { m_text.tagCode = code; }

  StaticText read() {
    m_text.id = m_reader.readU16();
    m_text.bounds = readRect(m_reader);
    m_text.matrix = readMatrix(m_reader);
    m_text.glyphBits = m_reader.readU8();
    m_text.advanceBits = m_reader.readU8();
    if (m_reader.exhausted()) return fail("the text ends inside its header");
    if (m_text.glyphBits > kWidestField || m_text.advanceBits > kWidestField) {
      return fail("the glyph field widths " + std::to_string(m_text.glyphBits) + " and " +
                  std::to_string(m_text.advanceBits) + " pass 32 bits");
    }
    while (true) {
      const std::uint8_t flags = m_reader.readU8();
      if (m_reader.exhausted()) return fail("the text ends without its end record");
      if (flags == 0) break;
      TextRecord& record = m_text.records.emplace_back();
      // Movies of the first versions may follow a glyph record with another one, without a
      // style record between them: its first byte is the glyph count.
      const std::uint32_t count = (flags & kRecordType) != 0 ? readStyle(record, flags) : flags;
      if (m_reader.exhausted()) return fail("the text ends inside text record " + std::to_string(m_text.records.size() - 1));
      if (!readGlyphs(record, count)) {
        return fail("the glyphs of text record " + std::to_string(m_text.records.size() - 1) + " pass the end of the text");
      }
    }
    return std::move(m_text);
  }

 private:
  StaticText fail(std::string fault) {
    m_text.faults.push_back(std::move(fault));
    return std::move(m_text);
  }

  // The fields the flags name; returns the glyph count that follows them.
  std::uint32_t readStyle(TextRecord& record, std::uint8_t flags) {
    record.hasFont = (flags & kHasFont) != 0;
    record.hasColor = (flags & kHasColor) != 0;
    record.hasYOffset = (flags & kHasYOffset) != 0;
    record.hasXOffset = (flags & kHasXOffset) != 0;
    if (record.hasFont) record.fontId = m_reader.readU16();
    if (record.hasColor) record.color = readColor(m_reader, m_text.tagCode == tag::kDefineText2);
    if (record.hasXOffset) record.xOffset = static_cast<std::int16_t>(m_reader.readU16());
    if (record.hasYOffset) record.yOffset = static_cast<std::int16_t>(m_reader.readU16());
    if (record.hasFont) record.height = m_reader.readU16();
    return m_reader.readU8();
  }

  bool readGlyphs(TextRecord& record, std::uint32_t count) {
    const std::uint64_t bits = std::uint64_t{count} * (m_text.glyphBits + m_text.advanceBits);
    if (bits > std::uint64_t{m_reader.remaining()} * 8) return false;
    record.glyphs.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      TextGlyph glyph;
      glyph.index = m_reader.readUB(m_text.glyphBits);
      glyph.advance = m_reader.readSB(m_text.advanceBits);
      record.glyphs.push_back(glyph);
    }
    m_reader.alignToByte();
    return !m_reader.exhausted();
  }

  BitReader m_reader;
  StaticText m_text;
};

// DefineEditText flags: two bytes, most significant bit first.
constexpr std::uint16_t kHasText = 0x8000;
constexpr std::uint16_t kWordWrap = 0x4000;
constexpr std::uint16_t kMultiline = 0x2000;
constexpr std::uint16_t kPassword = 0x1000;
constexpr std::uint16_t kReadOnly = 0x0800;
constexpr std::uint16_t kHasTextColor = 0x0400;
constexpr std::uint16_t kHasMaxLength = 0x0200;
constexpr std::uint16_t kHasEditFont = 0x0100;
constexpr std::uint16_t kHasFontClass = 0x0080;
constexpr std::uint16_t kAutoSize = 0x0040;
constexpr std::uint16_t kHasLayout = 0x0020;
constexpr std::uint16_t kNoSelect = 0x0010;
constexpr std::uint16_t kBorder = 0x0008;
constexpr std::uint16_t kWasStatic = 0x0004;
constexpr std::uint16_t kHtml = 0x0002;
constexpr std::uint16_t kUseOutlines = 0x0001;

}  // namespace

StaticText decodeStaticText(std::uint16_t code, std::span<const std::uint8_t> body) {
  return StaticTextReader(code, body).read();
}

EditText decodeEditText(std::span<const std::uint8_t> body, std::uint8_t movieVersion) {
  BitReader reader(body);
  EditText text;
  text.id = reader.readU16();
  text.bounds = readRect(reader);
  const std::uint16_t flags = static_cast<std::uint16_t>((reader.readU8() << 8) | reader.readU8());
  if (reader.exhausted()) {
    text.faults.push_back("the edit text ends inside its header");
    return text;
  }
  const auto has = [&](std::uint16_t flag) { return (flags & flag) != 0; };
  text.hasText = has(kHasText);
  text.wordWrap = has(kWordWrap);
  text.multiline = has(kMultiline);
  text.password = has(kPassword);
  text.readOnly = has(kReadOnly);
  text.hasTextColor = has(kHasTextColor);
  text.hasMaxLength = has(kHasMaxLength);
  text.hasFont = has(kHasEditFont);
  text.hasFontClass = has(kHasFontClass);
  text.autoSize = has(kAutoSize);
  text.hasLayout = has(kHasLayout);
  text.noSelect = has(kNoSelect);
  text.border = has(kBorder);
  text.wasStatic = has(kWasStatic);
  text.html = has(kHtml);
  text.useOutlines = has(kUseOutlines);
  if (text.hasFont) text.fontId = reader.readU16();
  if (text.hasFontClass) text.fontClass = movieTextAsUtf8(reader.readString(), movieVersion);
  // A font named by its class has a height too.
  if (text.hasFont || text.hasFontClass) text.fontHeight = reader.readU16();
  if (text.hasTextColor) text.textColor = readColor(reader, true);
  if (text.hasMaxLength) text.maxLength = reader.readU16();
  if (text.hasLayout) {
    text.align = reader.readU8();
    text.leftMargin = reader.readU16();
    text.rightMargin = reader.readU16();
    text.indent = reader.readU16();
    text.leading = static_cast<std::int16_t>(reader.readU16());
  }
  if (reader.exhausted()) {
    text.faults.push_back("the edit text ends inside its properties");
    return text;
  }
  text.variableName = movieTextAsUtf8(reader.readString(), movieVersion);
  if (reader.exhausted()) {
    text.faults.push_back("the edit text ends inside its variable name");
    return text;
  }
  if (text.hasText) {
    text.initialText = movieTextAsUtf8(reader.readString(), movieVersion);
    if (reader.exhausted()) text.faults.push_back("the edit text ends inside its initial text");
  }
  return text;
}

}  // namespace orvane
