// Decodes DefineText, DefineText2 and DefineEditText bodies field by field.
#pragma once

#include <cstdint>
#include <span>

#include "fonts/SwfText.h"

namespace orvane {

/// A DefineText or DefineText2 body (`code` 11 or 33, the character id first). Whatever is
/// missing is named in `faults`; the records read before it are kept.
StaticText decodeStaticText(std::uint16_t code, std::span<const std::uint8_t> body);

/// A DefineEditText body; its texts become UTF-8 by the movie's version.
EditText decodeEditText(std::span<const std::uint8_t> body, std::uint8_t movieVersion);

}  // namespace orvane
