// Glyphs placed where a text shows them: static texts record by record, edit texts laid out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/GlyphOutline.h"
#include "fonts/SwfText.h"
#include "movie/SwfRecords.h"

namespace orvane {

class FontLibrary;

/// An affine map: x' = a x + c y + tx, y' = b x + d y + ty.
struct TextTransform {
  double a = 1;
  double b = 0;
  double c = 0;
  double d = 1;
  double tx = 0;
  double ty = 0;

  /// This map followed by `outer`.
  TextTransform then(const TextTransform& outer) const;
  static TextTransform of(const SwfMatrix& matrix);
};

/// One glyph of a text: its outline (owned by the font library), the map from the font's
/// units to the text's coordinates (twips) and its colour.
struct PlacedGlyph {
  const GlyphOutline* outline = nullptr;
  TextTransform transform;
  Rgba color;
};

/// The glyphs of a static text, in record order, the text's matrix included. A glyph whose
/// font or index the movie lacks is left out, its advance kept.
std::vector<PlacedGlyph> placeStaticText(const StaticText& text, const FontLibrary& fonts);

/// The characters of a static text through its fonts' code tables, as UTF-8; a record
/// that moves to another line starts a new line. A glyph without a code reads as U+FFFD.
std::string staticTextCharacters(const StaticText& text, const FontLibrary& fonts);

}  // namespace orvane
