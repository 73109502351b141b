#include "fonts/TextSvgWriter.h"

#include <algorithm>
#include <cstdio>

#include "fonts/GlyphPath.h"

namespace orvane {
namespace {

constexpr double kTwipsPerPixel = 20;

std::string colorText(const Rgba& color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", color.red, color.green, color.blue);
  return text;
}

std::string transformText(const TextTransform& t) {
  return "matrix(" + svgNumber(t.a) + ' ' + svgNumber(t.b) + ' ' + svgNumber(t.c) + ' ' + svgNumber(t.d) + ' ' +
         svgNumber(t.tx) + ' ' + svgNumber(t.ty) + ')';
}

// The opening tag of a document whose view box is `bounds` in pixels (at least a twip wide
// and high).
std::string documentStart(const SwfRect& bounds) {
  const double x = bounds.xMin / kTwipsPerPixel;
  const double y = bounds.yMin / kTwipsPerPixel;
  const double width = std::max<std::int64_t>(std::int64_t{bounds.xMax} - bounds.xMin, 1) / kTwipsPerPixel;
  const double height = std::max<std::int64_t>(std::int64_t{bounds.yMax} - bounds.yMin, 1) / kTwipsPerPixel;
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + svgNumber(width) + "\" height=\"" + svgNumber(height) +
         "\" viewBox=\"" + svgNumber(x) + ' ' + svgNumber(y) + ' ' + svgNumber(width) + ' ' + svgNumber(height) + "\">\n";
}

const TextTransform kTwipsToPixels{1 / kTwipsPerPixel, 0, 0, 1 / kTwipsPerPixel, 0, 0};

}  // namespace

std::string glyphElements(const std::vector<PlacedGlyph>& glyphs, const TextTransform& toOutput) {
  std::string out;
  for (const PlacedGlyph& glyph : glyphs) {
    if (glyph.outline == nullptr || glyph.outline->empty()) continue;
    out += "<path transform=\"" + transformText(glyph.transform.then(toOutput)) + "\" fill=\"" + colorText(glyph.color) + '"';
    if (glyph.color.alpha != 255) out += " fill-opacity=\"" + svgNumber(glyph.color.alpha / 255.0) + '"';
    out += " fill-rule=\"evenodd\" d=\"" + glyphPathData(*glyph.outline) + "\"/>\n";
  }
  return out;
}

std::string staticTextSvg(const StaticText& text, const FontLibrary& fonts) {
  return documentStart(text.bounds) + glyphElements(placeStaticText(text, fonts), kTwipsToPixels) + "</svg>\n";
}

std::string editTextSvg(const EditText& text, const FontLibrary& fonts) {
  const EditTextLayout layout = layOutEditText(text, fonts);
  std::string out = documentStart(text.bounds);
  if (layout.border) {
    const SwfRect& b = text.bounds;
    // The one-pixel line lies inside the bounds.
    out += "<rect x=\"" + svgNumber(b.xMin / kTwipsPerPixel + 0.5) + "\" y=\"" + svgNumber(b.yMin / kTwipsPerPixel + 0.5) +
           "\" width=\"" + svgNumber(std::max(0.0, (b.xMax - b.xMin) / kTwipsPerPixel - 1)) + "\" height=\"" +
           svgNumber(std::max(0.0, (b.yMax - b.yMin) / kTwipsPerPixel - 1)) +
           "\" fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"1\"/>\n";
  }
  return out + glyphElements(layout.glyphs, kTwipsToPixels) + "</svg>\n";
}

std::string glyphSvg(const GlyphOutline& outline, std::uint32_t emUnits, double pixels, double originX, double originY,
                     int width, int height) {
  const double scale = pixels / emUnits;
  const std::string size = "width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + '"';
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" " + size + " viewBox=\"0 0 " + std::to_string(width) + ' ' +
         std::to_string(height) + "\">\n<path transform=\"" +
         transformText({scale, 0, 0, scale, originX, originY}) + "\" fill=\"#000000\" fill-rule=\"evenodd\" d=\"" +
         glyphPathData(outline) + "\"/>\n</svg>\n";
}

}  // namespace orvane
