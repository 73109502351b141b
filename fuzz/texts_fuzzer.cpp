// The text decoders, the layouts, the characters and the SVG of texts over arbitrary bodies,
// with a font decoded from the same input.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "fonts/FontLibrary.h"
#include "fonts/StaticTextGlyphs.h"
#include "fonts/TextDecoder.h"
#include "movie/AssetObjects.h"
#include "movie/TagHeader.h"
#include "vector/EditTextLayout.h"
#include "vector/TextSvg.h"

// Input: a selector byte (static or edit text, DefineFont2 or DefineFont3), the font's
// length (two bytes), a DefineFont2/3 body (its id is taken as 1), then the text's body.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t selector = data[0];
  const std::size_t length = std::min<std::size_t>(data[1] | (data[2] << 8), size - 3);
  const std::span<const std::uint8_t> input(data, size);
  orvane::FontObject font;
  font.code = (selector & 2) != 0 ? orvane::tag::kDefineFont3 : orvane::tag::kDefineFont2;
  font.characterId = 1;
  font.body = {3, static_cast<std::uint32_t>(length)};
  const orvane::FontLibrary fonts({&font}, input, 8);
  const std::span<const std::uint8_t> body = input.subspan(3 + length);
  if ((selector & 1) != 0) {
    const orvane::EditText text = orvane::decodeEditText(body, static_cast<std::uint8_t>(selector >> 4));
    (void)orvane::textSvg(orvane::layOutEditText(text, fonts));
  } else {
    const std::uint16_t code = (selector & 4) != 0 ? orvane::tag::kDefineText2 : orvane::tag::kDefineText;
    const orvane::StaticText text = orvane::decodeStaticText(code, body);
    (void)orvane::staticTextCharacters(text, fonts);
    (void)orvane::textSvg(orvane::staticTextPicture(text, fonts));
  }
  return 0;
}
