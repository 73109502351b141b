// The literals of the assembly texts: quoted strings, numbers that read back exactly, and
// names compared without regard to case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

/// <0, 0 or >0 as `left` sorts before, with or after `right` when ASCII letters are
/// compared without their case.
int compareIgnoringCase(std::string_view left, std::string_view right);
inline bool equalsIgnoringCase(std::string_view left, std::string_view right) {
  return compareIgnoringCase(left, right) == 0;
}

/// Appends `bytes` in double quotes: `\"`, `\\`, `\n`, `\r` and `\t` escaped, other control
/// bytes and every byte that is not part of a valid UTF-8 sequence as `\xHH`, valid UTF-8
/// as it is. The text is therefore always valid UTF-8.
void appendQuoted(std::string& out, std::string_view bytes);

/// The shortest decimal text that reads back as exactly `value`, always with a decimal
/// point or an exponent ("5.0", "-0.0", "1e+21"); "NaN", "Infinity" or "-Infinity" for
/// those values.
std::string exactDoubleText(double value);
/// The same for a 32-bit float.
std::string exactFloatText(float value);

/// A double written as exactDoubleText writes it (or any decimal form from_chars reads), or
/// "NaN", "Infinity", "-Infinity"; none for anything else.
std::optional<double> parseDouble(std::string_view text);
/// The same for a 32-bit float, read as a float (no rounding through a double).
std::optional<float> parseFloat(std::string_view text);
/// An integer in decimal (with an optional sign) or in hexadecimal after "0x"; none for
/// anything else or a value outside 64 bits.
std::optional<std::int64_t> parseInteger(std::string_view text);

/// "0x" and up to sixteen hexadecimal digits; none for anything else.
std::optional<std::uint64_t> parseHexBits(std::string_view text);

/// The canonical bit patterns of NaN that exactDoubleText and exactFloatText write as "NaN".
inline constexpr std::uint64_t kQuietNaNBits = 0x7FF8000000000000ull;
inline constexpr std::uint32_t kQuietNaNFloatBits = 0x7FC00000u;

}  // namespace orvane
