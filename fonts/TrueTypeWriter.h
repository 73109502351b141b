// Writes a movie's font as a font file: TrueType from the glyph outlines, or DefineFont4's
// embedded OpenType font as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/SwfFont.h"

namespace orvane {

/// The TrueType font of `font`'s glyphs: an empty missing glyph first, then the font's
/// glyphs in their order, with their outlines point for point (y turned up), the code table
/// as `cmap`, the advances, the kerning as `kern`, the layout's ascent, descent and leading
/// (the glyphs' bounds without a layout) and the names. The units are those of
/// `FontUnitScale`.
std::vector<std::uint8_t> writeTrueType(const SwfFont& font);

/// A font as the file it is saved to.
struct FontFile {
  std::string extension;  // ".ttf" or ".otf"
  std::vector<std::uint8_t> bytes;
};

/// DefineFont4's OpenType data (empty when the tag holds none), every other font as TrueType.
FontFile fontFileOf(const SwfFont& font);

}  // namespace orvane
