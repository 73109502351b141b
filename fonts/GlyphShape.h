// A font glyph's SHAPE as a glyph outline.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fonts/GlyphOutline.h"

namespace orvane {

/// Reads the SHAPE that fills `bytes` (one glyph of a font's shape table); a single byte, as
/// authoring tools write a blank glyph (its index widths alone), is an empty glyph. Every move
/// starts a contour; straight and curved edges continue it. `fault` says what was missing
/// when the records end early (the contours read before it are kept), else it is emptied.
GlyphOutline readGlyphShape(std::span<const std::uint8_t> bytes, std::string& fault);

}  // namespace orvane
