// Numbers and strings of decompiled source in the form the script language writes them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

/// The script language's own number-to-text form: the shortest digits that read back as
/// the same value, plain from 1e-7 up to 1e21 and with an exponent outside ("1e+21",
/// "1.5e-7"); NaN, Infinity, -Infinity, -0.
std::string numberText(double value);
/// The same for a 32-bit float push: the shortest digits of the float ("0.1", not the
/// digits of its double widening).
std::string floatText(float value);
/// The length of the valid UTF-8 sequence at `at` (two to four bytes, no overlong forms,
/// no surrogates, nothing above U+10FFFF); 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t at);
/// `text` in double quotes with \" \\ \n \r \t, \u00XX for the other control bytes, \uXXXX
/// for a surrogate encoded alone, and \xXX for any other byte above 0x7F that starts no
/// UTF-8 sequence (a version 5 movie's text in the system's code page), which the output
/// would otherwise replace and lose.
std::string quotedText(std::string_view text);
/// Letters, digits, '_' and '$' (and bytes above 0x7F), not starting with a digit.
bool isIdentifierName(std::string_view text);
/// A word of the script language that cannot name a variable: its keywords, true, false
/// and null. (The word operators of Flash 4, add and the like, read as operators only
/// between two operands and stay names.)
bool isReservedWord(std::string_view text);
/// A name that a declaration or an assignment can write as it stands: an identifier that
/// is no reserved word.
bool isDeclarableName(std::string_view text);

}  // namespace orvane
