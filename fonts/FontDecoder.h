// Decodes the font tags of a movie into `SwfFont`: DefineFont, DefineFont2, DefineFont3 and
// DefineFont4, and the tags that describe a font defined before them.
#pragma once

#include <cstdint>
#include <span>

#include "fonts/SwfFont.h"

namespace orvane {

class FontObject;

/// A font definition tag's body (the font id first), read field by field. Whatever is
/// missing or out of place is named in `faults`; the font keeps what was read before it.
SwfFont decodeFontDefinition(std::uint16_t code, std::span<const std::uint8_t> body, std::uint8_t movieVersion);

/// Applies DefineFontInfo or DefineFontInfo2 (name, style, code table), DefineFontAlignZones
/// or DefineFontName (full name and copyright) to `font`; a fault goes into its `faults`.
void applyFontPart(SwfFont& font, std::uint16_t code, std::span<const std::uint8_t> body, std::uint8_t movieVersion);

/// The font a scan recorded, with the tags that describe it applied in their order.
SwfFont fontOf(const FontObject& object, std::span<const std::uint8_t> movie, std::uint8_t movieVersion);

/// What a font's code table means, from its flags and the movie's version.
FontCodeSet codeSetOf(bool shiftJis, bool ansi, bool wideCodes, std::uint8_t movieVersion);

}  // namespace orvane
