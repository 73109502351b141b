// Texts and glyphs as SVG: a text's picture drawn or clipped under a placement, the
// document of a text alone, and the document of one glyph.
#pragma once

#include <cstdint>
#include <string>

#include "fonts/GlyphOutline.h"
#include "vector/TextLayout.h"
#include "vector/Transforms.h"

namespace orvane {

/// The picture under `transform` (twips): its border and background, then one path per
/// glyph filled even-odd, colours through `colors` (with their opacity below 255).
void appendTextPicture(std::string& out, const TextPicture& picture, const Transform& transform,
                       const ColorTransform& colors);
/// The glyphs' outlines alone under `transform`, as children of a clip path.
void appendTextClip(std::string& out, const TextPicture& picture, const Transform& transform);

/// The text alone as an SVG document in pixels, its bounds the view box.
std::string textSvg(const TextPicture& picture);

/// One glyph of a font of `emUnits` units, `pixels` to the em, its origin `originX`,
/// `originY` pixels from the top left of a `width` by `height` pixel document, black on
/// nothing.
std::string glyphSvg(const GlyphOutline& outline, std::uint32_t emUnits, double pixels, double originX, double originY,
                     int width, int height);

}  // namespace orvane
