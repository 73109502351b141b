// A glyph's code as a font window shows it.
#pragma once

#include <cstddef>
#include <string>

#include "fonts/SwfFont.h"

namespace orvane {

/// "U+0041 A" for a Unicode code, "0x80 €" for a code of the Western Windows code page or
/// Shift-JIS (its code, then the character), the code alone for a control character or one
/// the code set lacks, "#%d" (the glyph's index) for a font without a code table.
std::string glyphCodeText(const SwfFont& font, std::size_t glyphIndex);

}  // namespace orvane
