#include "actions/assembly/AssemblyLiterals.h"

#include "decompiler/SourceNumber.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orvane {

namespace {

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

template <class Number>
std::string shortestText(Number value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

}  // namespace

int compareIgnoringCase(std::string_view left, std::string_view right) {
  const std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char a = lowered(left[i]);
    const char b = lowered(right[i]);
    if (a != b) return static_cast<unsigned char>(a) < static_cast<unsigned char>(b) ? -1 : 1;
  }
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

void appendQuoted(std::string& out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '"';
  for (std::size_t i = 0; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    switch (byte) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte >= 0x80) {
          if (const std::size_t length = utf8SequenceLength(bytes, i)) {
            out.append(bytes.substr(i, length));
            i += length;
            continue;
          }
        }
        if (byte < 0x20 || byte >= 0x7F) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += static_cast<char>(byte);
        }
        break;
    }
    ++i;
  }
  out += '"';
}

std::string exactDoubleText(double value) { return shortestText(value); }
std::string exactFloatText(float value) { return shortestText(value); }

namespace {

template <class Number>
std::optional<Number> parseFloating(std::string_view text) {
  if (text == "NaN") return std::numeric_limits<Number>::quiet_NaN();
  if (text == "Infinity") return std::numeric_limits<Number>::infinity();
  if (text == "-Infinity") return -std::numeric_limits<Number>::infinity();
  // from_chars takes no leading '+'.
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  Number value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> parseDouble(std::string_view text) { return parseFloating<double>(text); }
std::optional<float> parseFloat(std::string_view text) { return parseFloating<float>(text); }

std::optional<std::uint64_t> parseHexBits(std::string_view text) {
  if (text.size() < 3 || text.size() > 18 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return std::nullopt;
  std::uint64_t bits = 0;
  const auto result = std::from_chars(text.data() + 2, text.data() + text.size(), bits, 16);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return bits;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  if (magnitude > (negative ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull)) return std::nullopt;
  return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

}  // namespace orvane
