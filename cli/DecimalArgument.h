// Decimal numbers given on the command line (an item of the projector list, an object serial).
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace orvane {

/// The whole text as one decimal number; false for anything else, or a value that does not fit.
template <typename Number>
[[nodiscard]] bool parseDecimal(const std::string& text, Number& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && stop == end;
}

}  // namespace orvane
