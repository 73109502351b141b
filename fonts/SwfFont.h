// A font as a movie defines it: glyph outlines, their codes, the layout and the names.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fonts/GlyphOutline.h"
#include "movie/SwfRecords.h"

namespace orvane {

/// What the codes of a font's code table mean.
enum class FontCodeSet {
  Unicode,   // UCS-2: wide codes of a version 6 or later movie
  Ansi,      // the Western Windows code page
  ShiftJis,  // Japanese Shift-JIS
};

struct FontGlyph {
  GlyphOutline outline;
  /// The glyph's code, meaningful when the font has a code table.
  std::uint16_t code = 0;
  /// The advance and bounds of the layout, when the font has one.
  std::int16_t advance = 0;
  SwfRect bounds;
};

struct KerningPair {
  std::uint16_t leftCode = 0;
  std::uint16_t rightCode = 0;
  std::int16_t adjustment = 0;
};

/// DefineFontAlignZones' zone of one glyph (half-precision floats kept as their bits).
struct GlyphAlignZone {
  std::vector<std::pair<std::uint16_t, std::uint16_t>> zoneData;  // alignment coordinate, range
  bool maskX = false;
  bool maskY = false;
};

struct SwfFont {
  std::uint16_t tagCode = 0;
  std::uint16_t id = 0;
  /// The font's name as UTF-8 (DefineFont2/3/4 or DefineFontInfo); DefineFontName's name
  /// and copyright beside it.
  std::string name;
  std::string fullName;
  std::string copyright;
  bool bold = false;
  bool italic = false;
  bool smallText = false;
  bool hasCodeTable = false;
  bool wideCodes = false;
  FontCodeSet codeSet = FontCodeSet::Unicode;
  std::uint8_t languageCode = 0;
  /// Units of an em square: 1024, or 20480 for DefineFont3.
  std::uint32_t emUnits = 1024;
  bool hasLayout = false;
  std::uint16_t ascent = 0;
  std::uint16_t descent = 0;
  std::int16_t leading = 0;
  std::vector<FontGlyph> glyphs;
  std::vector<KerningPair> kerning;
  /// DefineFont4's embedded OpenType (CFF) font, as it is.
  std::vector<std::uint8_t> openTypeData;
  std::uint8_t alignZoneHint = 0;
  std::vector<GlyphAlignZone> alignZones;
  /// What the decoders found wrong, one text each; the font holds what could be read.
  std::vector<std::string> faults;

  bool isDefineFont4() const { return tagCode == 91; }
};

}  // namespace orvane
