// The fixed tables of a TrueType font: `head`, `hhea`, `maxp`, `OS/2` and `post`.
#pragma once

#include <cstdint>
#include <vector>

#include "fonts/TrueTypeGlyphs.h"

namespace orvane {

/// What the fixed tables say about a font, in TrueType units (y up; descent positive).
struct TrueTypeFontFacts {
  std::uint16_t unitsPerEm = 1024;
  bool bold = false;
  bool italic = false;
  std::int16_t ascent = 0;
  std::int16_t descent = 0;
  std::int16_t lineGap = 0;
  std::uint16_t glyphCount = 0;
  std::uint16_t firstCharacter = 0;
  std::uint16_t lastCharacter = 0;
  std::int16_t xHeight = 0;
  std::int16_t capHeight = 0;
  bool hasKerning = false;
};

/// `head`, with its checksum adjustment zero (the font file fills it in).
std::vector<std::uint8_t> headTable(const TrueTypeFontFacts& facts, const TrueTypeGlyphTables& glyphs);
std::vector<std::uint8_t> hheaTable(const TrueTypeFontFacts& facts, const TrueTypeGlyphTables& glyphs);
std::vector<std::uint8_t> maxpTable(const TrueTypeFontFacts& facts, const TrueTypeGlyphTables& glyphs);
/// `OS/2` version 4.
std::vector<std::uint8_t> os2Table(const TrueTypeFontFacts& facts, const TrueTypeGlyphTables& glyphs);
/// `post` version 3: no glyph names.
std::vector<std::uint8_t> postTable(const TrueTypeFontFacts& facts);

}  // namespace orvane
