#include "fonts/TextLayout.h"

#include "fonts/FontCodes.h"
#include "fonts/FontLibrary.h"

namespace orvane {

TextTransform TextTransform::then(const TextTransform& outer) const {
  TextTransform result;
  result.a = outer.a * a + outer.c * b;
  result.b = outer.b * a + outer.d * b;
  result.c = outer.a * c + outer.c * d;
  result.d = outer.b * c + outer.d * d;
  result.tx = outer.a * tx + outer.c * ty + outer.tx;
  result.ty = outer.b * tx + outer.d * ty + outer.ty;
  return result;
}

TextTransform TextTransform::of(const SwfMatrix& matrix) {
  constexpr double kFixed = 65536.0;
  return {matrix.scaleX / kFixed,     matrix.rotateSkew0 / kFixed, matrix.rotateSkew1 / kFixed,
          matrix.scaleY / kFixed,     static_cast<double>(matrix.translateX), static_cast<double>(matrix.translateY)};
}

namespace {

// Walks the records of a static text with the style each glyph takes.
template <typename Visit>
void walkStaticText(const StaticText& text, const FontLibrary& fonts, Visit visit) {
  const SwfFont* font = nullptr;
  std::uint16_t height = 0;
  Rgba color{0, 0, 0, 255};
  std::int64_t x = 0;  // wide enough for any sum of 32-bit advances
  std::int32_t y = 0;
  for (const TextRecord& record : text.records) {
    if (record.hasFont) {
      font = fonts.font(record.fontId);
      height = record.height;
    }
    if (record.hasColor) color = record.color;
    if (record.hasXOffset) x = record.xOffset;
    const bool newLine = record.hasYOffset && record.yOffset != y;
    if (record.hasYOffset) y = record.yOffset;
    for (std::size_t i = 0; i < record.glyphs.size(); ++i) {
      const TextGlyph& glyph = record.glyphs[i];
      const FontGlyph* fontGlyph = font != nullptr && glyph.index < font->glyphs.size() ? &font->glyphs[glyph.index] : nullptr;
      visit(font, fontGlyph, height, color, x, y, newLine && i == 0);
      x += glyph.advance;
    }
  }
}

}  // namespace

std::vector<PlacedGlyph> placeStaticText(const StaticText& text, const FontLibrary& fonts) {
  std::vector<PlacedGlyph> placed;
  const TextTransform matrix = TextTransform::of(text.matrix);
  walkStaticText(text, fonts,
                 [&](const SwfFont* font, const FontGlyph* glyph, std::uint16_t height, Rgba color, std::int64_t x,
                     std::int32_t y, bool) {
                   if (glyph == nullptr) return;
                   const double scale = static_cast<double>(height) / font->emUnits;
                   const TextTransform place{scale, 0, 0, scale, static_cast<double>(x), static_cast<double>(y)};
                   placed.push_back({&glyph->outline, place.then(matrix), color});
                 });
  return placed;
}

std::string staticTextCharacters(const StaticText& text, const FontLibrary& fonts) {
  std::string characters;
  walkStaticText(text, fonts,
                 [&](const SwfFont* font, const FontGlyph* glyph, std::uint16_t, Rgba, std::int64_t, std::int32_t,
                     bool newLine) {
                   if (newLine && !characters.empty()) characters += '\n';
                   std::optional<char32_t> character;
                   if (glyph != nullptr && font->hasCodeTable) character = unicodeOfCode(font->codeSet, glyph->code);
                   appendUtf8(characters, character.value_or(0xFFFD));
                 });
  return characters;
}

}  // namespace orvane
