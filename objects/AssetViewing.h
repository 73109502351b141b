// What the asset windows show beside their pictures: the lines under a picture, the slider
// labels, a font's summary, and the scale at which a picture fits a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "movie/SwfRecords.h"

namespace orvane {

struct SwfFont;

/// "X : %s , Y : %s , Width : %s , Height : %s" with the bounds (twips) in pixels, exact;
/// preceded by "ID : %d , " when `characterId` is not 0.
std::string assetBoundsLine(std::uint16_t characterId, const SwfRect& bounds);

/// The morph shape window's slider label, "Ratio : %d" (0 the start shape, 65535 the end).
std::string morphRatioText(std::uint32_t ratio);

/// The frame window's slider label, "Frame[%d] of %d Frames" (counted from 0).
std::string frameSliderText(std::uint32_t frame, std::uint32_t frames);

/// The lines above a font's glyphs: "Font Name : %s", "Glyphs : %d", "Style : " with
/// "Bold", "Italic", "Small Text" (or "Plain"), "Codes : " with "Unicode", "ANSI",
/// "Shift-JIS" or "None", and "Units Per Em : %d".
std::vector<std::string> fontSummaryLines(const SwfFont& font);

/// The scale at which a picture of `bounds` (twips) fits an area of `width` x `height`
/// pixels, by the side that has a length: at most 20, at least 1/1000; 1 for bounds
/// without area or length.
double fitScale(const SwfRect& bounds, int width, int height);

}  // namespace orvane
