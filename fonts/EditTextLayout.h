// Lays out an edit text's initial contents with its embedded fonts, as a movie's text field
// shows them: lines from the top left inside a gutter of two pixels, wrapped at blanks when
// the field wraps, aligned, with the margins, indents and leading of their paragraphs.
#pragma once

#include <vector>

#include "fonts/SwfText.h"
#include "fonts/TextLayout.h"

namespace orvane {

struct EditTextLayout {
  /// In the field's coordinates (twips).
  std::vector<PlacedGlyph> glyphs;
  /// The field draws a border (black) around a background (white).
  bool border = false;
  SwfRect bounds;
};

/// A character whose font is missing, or whose font has no glyph for it, takes no room.
EditTextLayout layOutEditText(const EditText& text, const FontLibrary& fonts);

}  // namespace orvane
