// The character tables of a TrueType font: `cmap` from characters to glyphs, `kern` for pairs.
#pragma once

#include <cstdint>
#include <vector>

namespace orvane {

struct CharacterGlyph {
  char32_t character = 0;
  std::uint16_t glyph = 0;
};

/// `cmap` for the Windows Unicode encodings. Characters in the basic plane go into a
/// format 4 subtable (3, 1) as long as it fits its 16-bit length; characters beyond it,
/// or a map too scattered for format 4, into a format 12 subtable (3, 10). The first
/// mapping of a character wins.
std::vector<std::uint8_t> cmapTable(std::vector<CharacterGlyph> mapping);

struct GlyphKerning {
  std::uint16_t left = 0;
  std::uint16_t right = 0;
  std::int16_t value = 0;
};

/// `kern` version 0 with format 0 subtables of horizontal pairs; the first value of a pair
/// wins. A subtable's 16-bit length holds 10920 pairs; more go into further subtables.
std::vector<std::uint8_t> kernTable(std::vector<GlyphKerning> pairs);

}  // namespace orvane
