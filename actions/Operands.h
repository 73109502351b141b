// Operand helpers of the actions that take a counted list of values from the stack.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

class ExpressionTable;

/// Pops a count: the value loses its double quotes and its decimal value is taken, 0 when
/// negative. A count beyond the stack is cut to one more than the stack holds, so the
/// missing operands show as one "?stackempty?" instead of arbitrarily many.
long long popCount(ExpressionTable& table);

/// Pops `count` values and joins their display texts with `separator`, the first popped first.
std::string popJoined(ExpressionTable& table, long long count, std::string_view separator);

/// Pops count, index and string and returns function + string "," index "," count ")".
std::string popSubstring(ExpressionTable& table, std::string_view function);

}  // namespace orvane
