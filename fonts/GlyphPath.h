// Glyph outlines as SVG path data.
#pragma once

#include <string>

#include "fonts/GlyphOutline.h"

namespace orvane {

/// The outline as SVG path data in the font's units ("M x y L x y Q cx cy x y Z" per
/// contour), every number whole as the font holds it. Filled even-odd, as a movie fills
/// its glyphs.
std::string glyphPathData(const GlyphOutline& outline);

}  // namespace orvane
