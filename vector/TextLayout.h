// Glyphs placed where a text shows them: static texts record by record, edit texts laid out.
#pragma once

#include <string>
#include <vector>

#include "fonts/GlyphOutline.h"
#include "fonts/SwfText.h"
#include "movie/SwfRecords.h"
#include "vector/Transforms.h"

namespace orvane {

class FontLibrary;

/// One glyph of a text: its outline (owned by the font library), the transform from the
/// font's units to the text's coordinates (twips) and its colour.
struct PlacedGlyph {
  const GlyphOutline* outline = nullptr;
  Transform transform;
  Rgba color;
};

/// A text as it shows: its glyphs in its own coordinates (twips), its bounds and, for an edit
/// text with a border, the black border around a white background over the bounds.
struct TextPicture {
  std::vector<PlacedGlyph> glyphs;
  SwfRect bounds;
  bool border = false;
  /// What the text's tag lacks, one text each.
  std::vector<std::string> faults;
};

/// The glyphs of a static text, in record order, the text's matrix included. A glyph whose
/// font or index the movie lacks is left out, its advance kept.
std::vector<PlacedGlyph> placeStaticText(const StaticText& text, const FontLibrary& fonts);
/// The static text's placed glyphs over its bounds, with its faults.
TextPicture staticTextPicture(const StaticText& text, const FontLibrary& fonts);

}  // namespace orvane
