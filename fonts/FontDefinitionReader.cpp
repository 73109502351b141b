// DefineFont, DefineFont2, DefineFont3 and DefineFont4 bodies, field by field.
#include <string>
#include <vector>

#include "fonts/FontCodes.h"
#include "fonts/FontDecoder.h"
#include "fonts/GlyphShape.h"
#include "movie/BitReader.h"
#include "movie/TagHeader.h"

namespace orvane {
namespace {

constexpr std::uint32_t kDefineFont3EmUnits = 20480;

// DefineFont2 and DefineFont3 flags, most significant bit first.
constexpr std::uint8_t kHasLayout = 0x80;
constexpr std::uint8_t kShiftJis = 0x40;
constexpr std::uint8_t kSmallText = 0x20;
constexpr std::uint8_t kAnsi = 0x10;
constexpr std::uint8_t kWideOffsets = 0x08;
constexpr std::uint8_t kWideCodes = 0x04;
constexpr std::uint8_t kItalic = 0x02;
constexpr std::uint8_t kBold = 0x01;
// DefineFont4's flag beside italic and bold.
constexpr std::uint8_t kHasFontData = 0x04;

class FontDefinitionReader {
 public:
  FontDefinitionReader(std::uint16_t code, std::span<const std::uint8_t> body, std::uint8_t movieVersion)
      : m_body(body), m_reader(body), m_version(movieVersion) {
    m_font.tagCode = code;
  }

  SwfFont read() {
    m_font.id = m_reader.readU16();
    if (m_reader.exhausted()) return fail("the font ends before its id");
    switch (m_font.tagCode) {
      case tag::kDefineFont: readDefineFont(); break;
      case tag::kDefineFont4: readDefineFont4(); break;
      default: readDefineFont2(); break;
    }
    return std::move(m_font);
  }

 private:
  SwfFont fail(std::string fault) {
    m_font.faults.push_back(std::move(fault));
    return std::move(m_font);
  }
  void fault(std::string text) { m_font.faults.push_back(std::move(text)); }

  // DefineFont: an offset table whose first entry tells the glyph count, then the shapes
  // up to the end of the tag. The codes come with DefineFontInfo.
  void readDefineFont() {
    const std::uint32_t tableStart = m_reader.position();
    const std::uint32_t first = m_reader.readU16();
    if (m_reader.exhausted() || first == 0) return;  // no glyphs
    if (first % 2 != 0 || first > m_reader.size() - tableStart) {
      fault("the first glyph offset " + std::to_string(first) + " does not fit the offset table of the font");
      return;
    }
    std::vector<std::uint32_t> offsets{first};
    for (std::uint32_t i = 1; i < first / 2; ++i) offsets.push_back(m_reader.readU16());
    readGlyphShapes(tableStart, offsets, m_reader.size() - tableStart);
  }

  void readDefineFont2() {
    const std::uint8_t flags = m_reader.readU8();
    m_font.languageCode = m_reader.readU8();
    const std::string name = readName();
    const std::uint32_t count = m_reader.readU16();
    if (m_reader.exhausted()) return fault("the font ends inside its header");
    m_font.name = movieTextAsUtf8(name, m_version);
    m_font.bold = (flags & kBold) != 0;
    m_font.italic = (flags & kItalic) != 0;
    m_font.smallText = (flags & kSmallText) != 0;
    m_font.wideCodes = m_font.tagCode == tag::kDefineFont3 || (flags & kWideCodes) != 0;
    m_font.hasCodeTable = true;
    m_font.codeSet = codeSetOf((flags & kShiftJis) != 0, (flags & kAnsi) != 0, m_font.wideCodes, m_version);
    if (m_font.tagCode == tag::kDefineFont3) m_font.emUnits = kDefineFont3EmUnits;

    const bool wideOffsets = (flags & kWideOffsets) != 0;
    const std::uint32_t offsetSize = wideOffsets ? 4 : 2;
    const std::uint32_t tableStart = m_reader.position();
    if (count > m_reader.remaining() / offsetSize) {
      return fault("the glyph count " + std::to_string(count) + " passes the end of the font");
    }
    std::vector<std::uint32_t> offsets;
    offsets.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) offsets.push_back(wideOffsets ? m_reader.readU32() : m_reader.readU16());
    // A font without glyphs may leave out the code table offset.
    if (count == 0 && m_reader.remaining() < offsetSize) return;
    const std::uint32_t codeTableOffset = wideOffsets ? m_reader.readU32() : m_reader.readU16();
    if (m_reader.exhausted()) return fault("the font ends inside its offset table");
    if (codeTableOffset > m_reader.size() - tableStart) {
      return fault("the code table offset " + std::to_string(codeTableOffset) + " passes the end of the font");
    }
    readGlyphShapes(tableStart, offsets, codeTableOffset);
    m_reader.setPosition(tableStart + codeTableOffset);
    if (readCodeTable(m_font.glyphs.size(), m_font.wideCodes) && (flags & kHasLayout) != 0) readLayout();
  }

  std::string readName() {
    const std::uint32_t length = m_reader.readU8();
    if (length > m_reader.remaining()) {
      m_reader.skip(length);
      return {};
    }
    const std::span<const std::uint8_t> bytes = m_reader.bytesAt(m_reader.position(), length);
    m_reader.skip(length);
    std::string name(bytes.begin(), bytes.end());
    // Authoring tools end the name with a zero byte that it counts.
    while (!name.empty() && name.back() == '\0') name.pop_back();
    return name;
  }

  // The shapes between successive offsets; the last one ends at `end`. Offsets count
  // from `tableStart`.
  void readGlyphShapes(std::uint32_t tableStart, const std::vector<std::uint32_t>& offsets, std::uint32_t end) {
    m_font.glyphs.resize(offsets.size());
    const std::uint32_t available = m_reader.size() - tableStart;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
      const std::uint32_t start = offsets[i];
      const std::uint32_t stop = i + 1 < offsets.size() ? offsets[i + 1] : end;
      if (start > stop || stop > available) {
        fault("glyph " + std::to_string(i) + ": its offsets " + std::to_string(start) + " to " +
              std::to_string(stop) + " lie outside the shape table");
        continue;
      }
      std::string shapeFault;
      m_font.glyphs[i].outline = readGlyphShape(m_body.subspan(tableStart + start, stop - start), shapeFault);
      if (!shapeFault.empty()) fault("glyph " + std::to_string(i) + ": " + shapeFault);
    }
  }

  bool readCodeTable(std::size_t count, bool wide) {
    if (count > m_reader.remaining() / (wide ? 2 : 1)) {
      fault("the font ends inside its code table");
      return false;
    }
    for (std::size_t i = 0; i < count; ++i) m_font.glyphs[i].code = wide ? m_reader.readU16() : m_reader.readU8();
    return true;
  }

  void readLayout() {
    const std::size_t count = m_font.glyphs.size();
    m_font.ascent = m_reader.readU16();
    m_font.descent = m_reader.readU16();
    m_font.leading = static_cast<std::int16_t>(m_reader.readU16());
    if (m_reader.exhausted()) return fault("the font ends inside its layout");
    if (count > m_reader.remaining() / 2) return fault("the font ends inside its advance table");
    for (FontGlyph& glyph : m_font.glyphs) glyph.advance = static_cast<std::int16_t>(m_reader.readU16());
    m_font.hasLayout = true;
    for (FontGlyph& glyph : m_font.glyphs) glyph.bounds = readRect(m_reader);
    if (m_reader.exhausted()) return fault("the font ends inside its bounds table");
    const std::uint32_t pairs = m_reader.readU16();
    if (m_reader.exhausted()) return fault("the font ends before its kerning count");
    const std::uint32_t pairSize = m_font.wideCodes ? 6 : 4;
    if (pairs > m_reader.remaining() / pairSize) {
      return fault("the kerning count " + std::to_string(pairs) + " passes the end of the font");
    }
    m_font.kerning.reserve(pairs);
    for (std::uint32_t i = 0; i < pairs; ++i) {
      KerningPair pair;
      pair.leftCode = m_font.wideCodes ? m_reader.readU16() : m_reader.readU8();
      pair.rightCode = m_font.wideCodes ? m_reader.readU16() : m_reader.readU8();
      pair.adjustment = static_cast<std::int16_t>(m_reader.readU16());
      m_font.kerning.push_back(pair);
    }
  }

  void readDefineFont4() {
    const std::uint8_t flags = m_reader.readU8();
    const std::string name = m_reader.readString();
    if (m_reader.exhausted()) return fault("the font ends inside its name");
    m_font.name = movieTextAsUtf8(name, m_version);
    m_font.bold = (flags & kBold) != 0;
    m_font.italic = (flags & kItalic) != 0;
    if ((flags & kHasFontData) == 0) return;
    const std::span<const std::uint8_t> data = m_reader.bytesAt(m_reader.position());
    m_font.openTypeData.assign(data.begin(), data.end());
  }

  std::span<const std::uint8_t> m_body;
  BitReader m_reader;
  std::uint8_t m_version;
  SwfFont m_font;
};

}  // namespace

FontCodeSet codeSetOf(bool shiftJis, bool ansi, bool wideCodes, std::uint8_t movieVersion) {
  if (shiftJis) return FontCodeSet::ShiftJis;
  if (movieVersion >= 6) return FontCodeSet::Unicode;
  return ansi || !wideCodes ? FontCodeSet::Ansi : FontCodeSet::Unicode;
}

SwfFont decodeFontDefinition(std::uint16_t code, std::span<const std::uint8_t> body, std::uint8_t movieVersion) {
  return FontDefinitionReader(code, body, movieVersion).read();
}

}  // namespace orvane
