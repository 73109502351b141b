// Lays out an edit text's initial contents with its embedded fonts, as a movie's text field
// shows them: lines from the top left inside a gutter of two pixels, wrapped at blanks when
// the field wraps, aligned, with the margins, indents and leading of their paragraphs.
#pragma once

#include "fonts/SwfText.h"
#include "vector/TextLayout.h"

namespace orvane {

/// The field's glyphs, bounds, border and faults. A character whose font is missing, or
/// whose font has no glyph for it, takes no room.
TextPicture layOutEditText(const EditText& text, const FontLibrary& fonts);

}  // namespace orvane
