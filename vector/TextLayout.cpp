#include "vector/TextLayout.h"

#include "fonts/StaticTextGlyphs.h"

namespace orvane {

std::vector<PlacedGlyph> placeStaticText(const StaticText& text, const FontLibrary& fonts) {
  std::vector<PlacedGlyph> placed;
  const Transform matrix = Transform::of(text.matrix);
  forEachStaticGlyph(text, fonts, [&](const StaticGlyph& glyph) {
    if (glyph.glyph == nullptr) return;
    const double scale = static_cast<double>(glyph.height) / glyph.font->emUnits;
    const Transform place{scale, 0, 0, scale, static_cast<double>(glyph.x), static_cast<double>(glyph.y)};
    placed.push_back({&glyph.glyph->outline, matrix * place, glyph.color});
  });
  return placed;
}

TextPicture staticTextPicture(const StaticText& text, const FontLibrary& fonts) {
  return {placeStaticText(text, fonts), text.bounds, false, text.faults};
}

}  // namespace orvane
