// The font decoders and the TrueType writer over arbitrary font tag bodies.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "fonts/FontDecoder.h"
#include "fonts/GlyphPath.h"
#include "fonts/TrueTypeWriter.h"
#include "movie/TagHeader.h"

namespace {

constexpr std::uint16_t kDefinitions[] = {orvane::tag::kDefineFont, orvane::tag::kDefineFont2,
                                          orvane::tag::kDefineFont3, orvane::tag::kDefineFont4};
constexpr std::uint16_t kParts[] = {orvane::tag::kDefineFontInfo, orvane::tag::kDefineFontInfo2,
                                    orvane::tag::kDefineFontAlignZones, orvane::tag::kDefineFontName};

}  // namespace

// Input: a selector byte (definition, part, movie version), the definition's length (two
// bytes), the definition's body, then the body of a tag that describes the font.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t selector = data[0];
  const std::size_t length = std::min<std::size_t>(data[1] | (data[2] << 8), size - 3);
  const std::span<const std::uint8_t> definition(data + 3, length);
  const std::span<const std::uint8_t> part(data + 3 + length, size - 3 - length);
  const auto version = static_cast<std::uint8_t>((selector >> 4) + 3);
  orvane::SwfFont font = orvane::decodeFontDefinition(kDefinitions[selector & 3], definition, version);
  if (!part.empty()) orvane::applyFontPart(font, kParts[(selector >> 2) & 3], part, version);
  const orvane::FontFile file = orvane::fontFileOf(font);
  if (!font.isDefineFont4() && file.bytes.size() < 12) std::abort();  // a font file has a table directory
  for (const orvane::FontGlyph& glyph : font.glyphs) (void)orvane::glyphPathData(glyph.outline);
  return 0;
}
