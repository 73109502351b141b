#include "vector/TextSvg.h"

#include <algorithm>

#include "fonts/GlyphPath.h"
#include "vector/SvgCanvas.h"

namespace orvane {
namespace {

constexpr double kTwipsPerPixel = 20;

// Glyph paths are written in font units, which the transform attribute takes for pixels:
// the glyph's own transform is applied to twentieths of them.
Transform pathTransform(const Transform& placement, const PlacedGlyph& glyph) {
  return placement * glyph.transform * Transform{1 / kTwipsPerPixel, 0, 0, 1 / kTwipsPerPixel, 0, 0};
}

void appendGlyphPath(std::string& out, const GlyphOutline& outline, const Transform& transform) {
  appendTransformAttribute(out, "transform", transform);
  out += " d=\"";
  out += glyphPathData(outline);
  out += "\"/>\n";
}

// The player draws each side of the one-pixel line on the pixels right of and below its
// edge of the bounds, so the right and bottom sides lie just outside them.
void appendBorder(std::string& out, const SwfRect& bounds, const Transform& transform, const ColorTransform& colors) {
  const double width = std::max(0.0, (static_cast<double>(bounds.xMax) - bounds.xMin) / kTwipsPerPixel);
  const double height = std::max(0.0, (static_cast<double>(bounds.yMax) - bounds.yMin) / kTwipsPerPixel);
  const Rgba background = colors.apply({255, 255, 255, 255});
  const Rgba line = colors.apply({0, 0, 0, 255});
  out += "<rect";
  appendTransformAttribute(out, "transform", transform);
  out += " x=\"";
  appendNumber(out, bounds.xMin / kTwipsPerPixel + 0.5);
  out += "\" y=\"";
  appendNumber(out, bounds.yMin / kTwipsPerPixel + 0.5);
  out += "\" width=\"";
  appendNumber(out, width);
  out += "\" height=\"";
  appendNumber(out, height);
  out += "\" fill=\"";
  appendHexColor(out, background);
  out += '"';
  appendOpacity(out, "fill-opacity", background.alpha / 255.0);
  out += " stroke=\"";
  appendHexColor(out, line);
  out += '"';
  appendOpacity(out, "stroke-opacity", line.alpha / 255.0);
  out += " stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"/>\n";
}

}  // namespace

void appendTextPicture(std::string& out, const TextPicture& picture, const Transform& transform,
                       const ColorTransform& colors) {
  if (picture.border) appendBorder(out, picture.bounds, transform, colors);
  for (const PlacedGlyph& glyph : picture.glyphs) {
    if (glyph.outline == nullptr || glyph.outline->empty()) continue;
    const Rgba color = colors.apply(glyph.color);
    if (color.alpha == 0) continue;
    out += "<path fill=\"";
    appendHexColor(out, color);
    out += '"';
    appendOpacity(out, "fill-opacity", color.alpha / 255.0);
    out += " fill-rule=\"evenodd\"";
    appendGlyphPath(out, *glyph.outline, pathTransform(transform, glyph));
  }
}

void appendTextClip(std::string& out, const TextPicture& picture, const Transform& transform) {
  for (const PlacedGlyph& glyph : picture.glyphs) {
    if (glyph.outline == nullptr || glyph.outline->empty()) continue;
    out += "<path fill-rule=\"evenodd\"";
    appendGlyphPath(out, *glyph.outline, pathTransform(transform, glyph));
  }
}

std::string textSvg(const TextPicture& picture) {
  SvgCanvas canvas;
  appendTextPicture(canvas.body, picture, Transform{}, ColorTransform{});
  SwfRect area = picture.bounds;
  if (picture.border) {
    area.xMax += static_cast<std::int32_t>(kTwipsPerPixel);
    area.yMax += static_cast<std::int32_t>(kTwipsPerPixel);
  }
  // A view box is at least a twip wide and high.
  area.xMax = std::max(area.xMax, area.xMin + 1);
  area.yMax = std::max(area.yMax, area.yMin + 1);
  return canvas.document(area, 1, nullptr, true);
}

std::string glyphSvg(const GlyphOutline& outline, std::uint32_t emUnits, double pixels, double originX, double originY,
                     int width, int height) {
  const double scale = pixels / emUnits;
  SvgCanvas canvas;
  canvas.body += "<path fill=\"#000000\" fill-rule=\"evenodd\"";
  appendGlyphPath(canvas.body, outline, Transform{scale, 0, 0, scale, originX * kTwipsPerPixel, originY * kTwipsPerPixel});
  return canvas.document({0, width * 20, 0, height * 20}, 1, nullptr, true);
}

}  // namespace orvane
