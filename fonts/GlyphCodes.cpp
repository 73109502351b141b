#include "fonts/GlyphCodes.h"

#include <cstdio>

#include "fonts/FontCodes.h"

namespace orvane {

std::string glyphCodeText(const SwfFont& font, std::size_t glyphIndex) {
  if (!font.hasCodeTable || glyphIndex >= font.glyphs.size()) return "#" + std::to_string(glyphIndex);
  const std::uint16_t code = font.glyphs[glyphIndex].code;
  char text[16];
  if (font.codeSet == FontCodeSet::Unicode) std::snprintf(text, sizeof text, "U+%04X", code);
  else std::snprintf(text, sizeof text, code > 0xFF ? "0x%04X" : "0x%02X", code);
  std::string out = text;
  const std::optional<char32_t> character = unicodeOfCode(font.codeSet, code);
  const bool control = character && (*character < 0x20 || (*character >= 0x7F && *character < 0xA0));
  if (character && !control) {
    out += ' ';
    appendUtf8(out, *character);
  }
  return out;
}

}  // namespace orvane
