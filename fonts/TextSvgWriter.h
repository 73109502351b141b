// Texts and glyphs as SVG: placed glyphs as path elements, and whole documents for a static
// text, an edit text and a single glyph.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/EditTextLayout.h"
#include "fonts/TextLayout.h"

namespace orvane {

class FontLibrary;

/// One path element per glyph, filled even-odd in its colour (with its opacity below 255),
/// `toOutput` applied after the glyph's own transform (twips to the document's units, for
/// example).
std::string glyphElements(const std::vector<PlacedGlyph>& glyphs, const TextTransform& toOutput);

/// The static text in pixels, its bounds the view box.
std::string staticTextSvg(const StaticText& text, const FontLibrary& fonts);
/// The edit text in pixels, its bounds the view box, its border and background when it has
/// them, its glyphs where its fonts have outlines.
std::string editTextSvg(const EditText& text, const FontLibrary& fonts);
/// One glyph of a font of `emUnits` units, `pixels` to the em, its origin `originX`,
/// `originY` pixels from the top left of a `width` by `height` pixel document, black on
/// nothing.
std::string glyphSvg(const GlyphOutline& outline, std::uint32_t emUnits, double pixels, double originX, double originY,
                     int width, int height);

}  // namespace orvane
