#include "decompiler/SourceNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
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

std::string quotedText(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          quoted += escape;
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
