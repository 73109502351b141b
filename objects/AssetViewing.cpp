#include "objects/AssetViewing.h"

#include <algorithm>

#include "fonts/SwfFont.h"
#include "vector/SvgCanvas.h"

namespace orvane {

namespace {

constexpr double kLargestScale = 20;
constexpr double kSmallestScale = 0.001;

std::string pixels(std::int64_t twips) {
  std::string text;
  appendPixels(text, twips);
  return text;
}

const char* codeSetName(const SwfFont& font) {
  if (!font.hasCodeTable) return "None";
  switch (font.codeSet) {
    case FontCodeSet::Ansi: return "ANSI";
    case FontCodeSet::ShiftJis: return "Shift-JIS";
    default: return "Unicode";
  }
}

}  // namespace

std::string assetBoundsLine(std::uint16_t characterId, const SwfRect& bounds) {
  std::string line = characterId == 0 ? "" : "ID : " + std::to_string(characterId) + " , ";
  return line + "X : " + pixels(bounds.xMin) + " , Y : " + pixels(bounds.yMin) +
         " , Width : " + pixels(std::int64_t{bounds.xMax} - bounds.xMin) +
         " , Height : " + pixels(std::int64_t{bounds.yMax} - bounds.yMin);
}

std::string morphRatioText(std::uint32_t ratio) { return "Ratio : " + std::to_string(ratio); }

std::string frameSliderText(std::uint32_t frame, std::uint32_t frames) {
  return "Frame[" + std::to_string(frame) + "] of " + std::to_string(frames) + " Frames";
}

std::vector<std::string> fontSummaryLines(const SwfFont& font) {
  std::string style;
  const auto add = [&style](bool set, const char* word) {
    if (set) style += (style.empty() ? "" : " ") + std::string(word);
  };
  add(font.bold, "Bold");
  add(font.italic, "Italic");
  add(font.smallText, "Small Text");
  return {"Font Name : " + font.name, "Glyphs : " + std::to_string(font.glyphs.size()),
          "Style : " + (style.empty() ? std::string("Plain") : style), std::string("Codes : ") + codeSetName(font),
          "Units Per Em : " + std::to_string(font.emUnits)};
}

double fitScale(const SwfRect& bounds, int width, int height) {
  const double boundsWidth = (static_cast<double>(bounds.xMax) - bounds.xMin) / 20;
  const double boundsHeight = (static_cast<double>(bounds.yMax) - bounds.yMin) / 20;
  // A flat picture (a straight line) fits by its other side alone.
  const double across = boundsWidth > 0 ? std::max(width, 1) / boundsWidth : kLargestScale;
  const double down = boundsHeight > 0 ? std::max(height, 1) / boundsHeight : kLargestScale;
  if (boundsWidth <= 0 && boundsHeight <= 0) return 1;
  return std::clamp(std::min(across, down), kSmallestScale, kLargestScale);
}

}  // namespace orvane
