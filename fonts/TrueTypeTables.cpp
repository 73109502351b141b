#include "fonts/TrueTypeTables.h"

#include <algorithm>

#include "fonts/BigEndianWriter.h"

namespace orvane {
namespace {

constexpr std::uint32_t kVersion1 = 0x00010000;
// 2000-01-01 00:00 in seconds since 1904, the epoch of TrueType dates.
constexpr std::uint32_t kFixedDate = 3029529600;

// A length proportional to the em: `thousandths` of it.
std::int32_t perEm(const TrueTypeFontFacts& facts, std::int32_t thousandths) {
  return facts.unitsPerEm * thousandths / 1000;
}

}  // namespace

std::vector<std::uint8_t> headTable(const TrueTypeFontFacts& facts, const TrueTypeGlyphTables& glyphs) {
  BigEndianWriter out;
  out.u32(kVersion1);
  out.u32(kVersion1);  // font revision 1.0
  out.u32(0);          // checksum adjustment
  out.u32(0x5F0F3CF5);
  out.u16(0x0003);  // baseline at y = 0, left side bearing point at x = 0
  out.u16(facts.unitsPerEm);
  for (int i = 0; i < 2; ++i) {  // created and modified: one fixed date, so that a font is written alike each time
    out.u32(0);
    out.u32(kFixedDate);
  }
  const GlyphBox box = glyphs.fontBox();
  out.s16(box.xMin);
  out.s16(box.yMin);
  out.s16(box.xMax);
  out.s16(box.yMax);
  out.u16((facts.bold ? 0x01 : 0) | (facts.italic ? 0x02 : 0));
  out.u16(8);  // lowest readable size in pixels
  out.s16(2);  // left to right, with neutral characters
  out.s16(glyphs.indexToLocFormat());
  out.s16(0);
  return out.take();
}

std::vector<std::uint8_t> hheaTable(const TrueTypeFontFacts& facts, const TrueTypeGlyphTables& glyphs) {
  BigEndianWriter out;
  out.u32(kVersion1);
  out.s16(facts.ascent);
  out.s16(-facts.descent);
  out.s16(facts.lineGap);
  out.u16(glyphs.advanceWidthMax());
  out.s16(glyphs.minLeftSideBearing());
  out.s16(glyphs.minRightSideBearing());
  out.s16(glyphs.xMaxExtent());
  out.s16(1);  // caret slope: upright
  out.s16(0);
  out.s16(0);
  for (int i = 0; i < 4; ++i) out.s16(0);
  out.s16(0);  // metric data format
  out.u16(facts.glyphCount);
  return out.take();
}

std::vector<std::uint8_t> maxpTable(const TrueTypeFontFacts& facts, const TrueTypeGlyphTables& glyphs) {
  BigEndianWriter out;
  out.u32(kVersion1);
  out.u16(facts.glyphCount);
  out.u16(glyphs.maxPoints());
  out.u16(glyphs.maxContours());
  out.u16(0);  // composite points and contours: no composite glyphs
  out.u16(0);
  out.u16(2);  // zones: the glyph zone and the twilight zone
  for (int i = 0; i < 8; ++i) out.u16(0);  // no instructions: no storage, functions or stack
  return out.take();
}

std::vector<std::uint8_t> os2Table(const TrueTypeFontFacts& facts, const TrueTypeGlyphTables& glyphs) {
  BigEndianWriter out;
  out.u16(4);
  out.s16(glyphs.averageAdvance());
  out.u16(facts.bold ? 700 : 400);
  out.u16(5);  // medium width
  out.u16(0);  // installable: no embedding restrictions
  const std::int32_t scriptSize = perEm(facts, 650);
  out.s16(scriptSize);  // subscript x and y size, x and y offset
  out.s16(scriptSize);
  out.s16(0);
  out.s16(perEm(facts, 75));
  out.s16(scriptSize);  // superscript
  out.s16(scriptSize);
  out.s16(0);
  out.s16(perEm(facts, 350));
  out.s16(perEm(facts, 50));  // strikeout size and position
  out.s16(perEm(facts, 250));
  out.s16(0);  // no family class
  for (int i = 0; i < 10; ++i) out.u8(0);  // PANOSE: any
  for (int i = 0; i < 4; ++i) out.u32(0);  // Unicode ranges: not declared
  out.tag("    ");
  std::uint16_t selection = 0x80;  // the typographic metrics are the line metrics
  if (facts.italic) selection |= 0x01;
  if (facts.bold) selection |= 0x20;
  if (!facts.bold && !facts.italic) selection |= 0x40;
  out.u16(selection);
  out.u16(facts.firstCharacter);
  out.u16(facts.lastCharacter);
  out.s16(facts.ascent);
  out.s16(-facts.descent);
  out.s16(facts.lineGap);
  const GlyphBox box = glyphs.fontBox();
  out.u16(static_cast<std::uint16_t>(std::max<std::int32_t>({0, facts.ascent, box.yMax})));
  out.u16(static_cast<std::uint16_t>(std::max<std::int32_t>({0, facts.descent, -box.yMin})));
  out.u32(1);  // code pages: Latin 1
  out.u32(0);
  out.s16(facts.xHeight);
  out.s16(facts.capHeight);
  out.u16(0);   // default character: the missing glyph
  out.u16(32);  // break character: space
  out.u16(facts.hasKerning ? 2 : 1);
  return out.take();
}

std::vector<std::uint8_t> postTable(const TrueTypeFontFacts& facts) {
  BigEndianWriter out;
  out.u32(0x00030000);
  out.u32(0);  // italic angle: not known
  out.s16(-perEm(facts, 100));
  out.s16(perEm(facts, 50));
  out.u32(0);  // proportional
  for (int i = 0; i < 4; ++i) out.u32(0);
  return out.take();
}

}  // namespace orvane
