// printf-style formatting and the small text conversions that action texts share.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

/// The text printf would write for `format` and its arguments.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// `text` with every double-quote character removed.
std::string withoutQuotes(std::string_view text);

/// The decimal value of the text's leading digits, as the C library's atoi reads it
/// (leading white space, an optional sign); 0 when there are none. Saturates instead of
/// overflowing.
long long decimalValue(std::string_view text);

/// Replaces every occurrence of `from` (not empty) in `text`, scanning left to right and
/// never re-scanning inserted text. Returns the number of replacements.
std::size_t replaceAll(std::string& text, std::string_view from, std::string_view to);

}  // namespace orvane
