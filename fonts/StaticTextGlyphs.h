// The glyphs of a static text with the style and pen position each one takes, and the
// characters they stand for.
#pragma once

#include <cstdint>
#include <string>

#include "fonts/FontLibrary.h"
#include "fonts/SwfText.h"

namespace orvane {

/// Where and how a static text shows one of its glyphs.
struct StaticGlyph {
  /// None when the movie lacks the record's font; `glyph` is none as well then, or when
  /// the font has no glyph of that index.
  const SwfFont* font = nullptr;
  const FontGlyph* glyph = nullptr;
  std::uint16_t height = 0;  // twips
  Rgba color{0, 0, 0, 255};
  /// The pen in the text's coordinates (twips), before the text's matrix.
  std::int64_t x = 0;  // wide enough for any sum of 32-bit advances
  std::int32_t y = 0;
  /// The first glyph of a record that moves to another line.
  bool startsLine = false;
};

/// Calls `visit(const StaticGlyph&)` for each glyph of the text's records, in order.
template <typename Visit>
void forEachStaticGlyph(const StaticText& text, const FontLibrary& fonts, Visit visit) {
  StaticGlyph pen;
  for (const TextRecord& record : text.records) {
    if (record.hasFont) {
      pen.font = fonts.font(record.fontId);
      pen.height = record.height;
    }
    if (record.hasColor) pen.color = record.color;
    if (record.hasXOffset) pen.x = record.xOffset;
    const bool newLine = record.hasYOffset && record.yOffset != pen.y;
    if (record.hasYOffset) pen.y = record.yOffset;
    for (std::size_t i = 0; i < record.glyphs.size(); ++i) {
      const TextGlyph& glyph = record.glyphs[i];
      pen.glyph = pen.font != nullptr && glyph.index < pen.font->glyphs.size() ? &pen.font->glyphs[glyph.index] : nullptr;
      pen.startsLine = newLine && i == 0;
      visit(static_cast<const StaticGlyph&>(pen));
      pen.x += glyph.advance;
    }
  }
}

/// The characters of a static text through its fonts' code tables, as UTF-8; a record
/// that moves to another line starts a new line. A glyph without a code reads as U+FFFD.
std::string staticTextCharacters(const StaticText& text, const FontLibrary& fonts);

}  // namespace orvane
