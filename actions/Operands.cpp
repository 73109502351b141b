#include "actions/Operands.h"

#include <algorithm>

#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"

namespace orvane {

long long popCount(ExpressionTable& table) {
  const long long count = decimalValue(withoutQuotes(ExpressionTable::StackText(table.PopValue())));
  return std::clamp<long long>(count, 0, static_cast<long long>(table.StackCount()) + 1);
}

std::string popJoined(ExpressionTable& table, long long count, std::string_view separator) {
  std::string text;
  for (long long i = 0; i < count; ++i) {
    if (i > 0) text.append(separator);
    text += ExpressionTable::StackText(table.PopValue());
  }
  return text;
}

std::string popSubstring(ExpressionTable& table, std::string_view function) {
  const std::string count = ExpressionTable::StackText(table.PopValue());
  const std::string index = ExpressionTable::StackText(table.PopValue());
  const std::string text = ExpressionTable::StackText(table.PopValue());
  return std::string(function) + text + "," + index + "," + count + ")";
}

}  // namespace orvane
