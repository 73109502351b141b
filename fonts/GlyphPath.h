// Glyph outlines as SVG: path data, and the numbers an SVG document holds.
#pragma once

#include <string>

#include "fonts/GlyphOutline.h"

namespace orvane {

/// The outline as SVG path data in the font's units ("M x y L x y Q cx cy x y Z" per
/// contour), every number whole as the font holds it. Filled even-odd, as a movie fills
/// its glyphs.
std::string glyphPathData(const GlyphOutline& outline);

/// `value` in the fewest digits that read back as the same double ("0.05", "-12", "1e-07").
std::string svgNumber(double value);

}  // namespace orvane
