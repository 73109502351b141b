#include "fonts/StaticTextGlyphs.h"

#include "fonts/FontCodes.h"

namespace orvane {

std::string staticTextCharacters(const StaticText& text, const FontLibrary& fonts) {
  std::string characters;
  forEachStaticGlyph(text, fonts, [&](const StaticGlyph& glyph) {
    if (glyph.startsLine && !characters.empty()) characters += '\n';
    std::optional<char32_t> character;
    if (glyph.glyph != nullptr && glyph.font->hasCodeTable) character = unicodeOfCode(glyph.font->codeSet, glyph.glyph->code);
    appendUtf8(characters, character.value_or(0xFFFD));
  });
  return characters;
}

}  // namespace orvane
