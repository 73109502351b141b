#include "decompiler/SourceNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace orvane {

namespace {

/// Lays out the significant digits with the decimal exponent n (value = 0.digits * 10^n).
std::string layOut(const std::string& digits, int n) {
  const int k = static_cast<int>(digits.size());
  if (k <= n && n <= 21) return digits + std::string(static_cast<std::size_t>(n - k), '0');
  if (0 < n && n <= 21) return digits.substr(0, static_cast<std::size_t>(n)) + "." + digits.substr(static_cast<std::size_t>(n));
  if (-6 < n && n <= 0) return "0." + std::string(static_cast<std::size_t>(-n), '0') + digits;
  const int exponent = n - 1;
  std::string text = digits.substr(0, 1);
  if (k > 1) text += "." + digits.substr(1);
  return text + (exponent < 0 ? "e-" : "e+") + std::to_string(exponent < 0 ? -exponent : exponent);
}

/// The shortest scientific text of a positive finite value, split into digits and n.
template <typename Floating>
std::string shortestText(Floating value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  if (result.ec != std::errc()) return "0";
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (const char c : scientific.substr(0, e))
    if (c != '.') digits.push_back(c);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  const std::string_view exponentText = scientific.substr(e + 1);
  const std::size_t skip = exponentText.front() == '+' ? 1 : 0;
  std::from_chars(exponentText.data() + skip, exponentText.data() + exponentText.size(), exponent);
  return layOut(digits, exponent + 1);
}

template <typename Floating>
std::string scriptNumber(Floating value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  // -0 keeps its sign: 1 / -0 is -Infinity.
  if (value == 0) return std::signbit(value) ? "-0" : "0";
  if (value < 0) return "-" + shortestText(-value);
  return shortestText(value);
}

}  // namespace

std::string numberText(double value) { return scriptNumber(value); }

std::string floatText(float value) { return scriptNumber(value); }

std::size_t utf8SequenceLength(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  return length;
}

namespace {

/// The UTF-16 surrogate that the three bytes at `at` encode one by one (ED A0..BF 80..BF,
/// which the player's reading of UTF-8 takes as that code unit); 0 when they do not.
unsigned encodedSurrogate(std::string_view text, std::size_t at) {
  if (text.size() - at < 3) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  if (byte(0) != 0xED || byte(1) < 0xA0 || byte(1) > 0xBF || byte(2) < 0x80 || byte(2) > 0xBF) return 0;
  return 0xD000u | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
}

/// `\\` and the escape letter, then `digits` lower-case hexadecimal digits of `value`.
void appendEscape(std::string& out, char letter, unsigned value, int digits) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '\\';
  out += letter;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

std::string quotedText(std::string_view text) {
  std::string quoted = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (byte >= 0x80) {
          if (const std::size_t length = utf8SequenceLength(text, i)) {
            quoted.append(text.substr(i, length));
            i += length - 1;
            break;
          }
          if (const unsigned unit = encodedSurrogate(text, i)) {
            appendEscape(quoted, 'u', unit, 4);
            i += 2;
            break;
          }
        }
        if (byte < 0x20) {
          appendEscape(quoted, 'u', byte, 4);
        } else if (byte >= 0x80) {
          appendEscape(quoted, 'x', byte, 2);
        } else {
          quoted.push_back(c);
        }
    }
  }
  return quoted + "\"";
}

bool isIdentifierName(std::string_view text) {
  if (text.empty() || (text.front() >= '0' && text.front() <= '9')) return false;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool letter = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte >= 0x80;
    if (!letter && !(byte >= '0' && byte <= '9') && c != '_' && c != '$') return false;
  }
  return true;
}

bool isReservedWord(std::string_view text) {
  static constexpr std::array<std::string_view, 39> kWords = {
      "break",    "case",      "catch",      "class",  "continue", "default", "delete",  "do",
      "dynamic",  "else",      "extends",    "false",  "finally",  "for",     "function", "if",
      "implements", "import",  "in",         "instanceof", "interface", "intrinsic", "new", "null",
      "private",  "public",    "return",     "static", "super",    "switch",  "this",    "throw",
      "true",     "try",       "typeof",     "var",    "void",     "while",   "with"};
  return std::find(kWords.begin(), kWords.end(), text) != kWords.end();
}

bool isDeclarableName(std::string_view text) { return isIdentifierName(text) && !isReservedWord(text); }

}  // namespace orvane
