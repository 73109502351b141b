#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"
#include "actions/VariableActions.h"

namespace orvane {

ActionGetProperty::ActionGetProperty(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x22, data, size) {}

int ActionGetProperty::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const std::string index = ExpressionTable::StackText(table->PopValue());
  const std::string target = ExpressionTable::StackText(table->PopValue());
  const std::string_view name =
      IsQuotedInteger(index) ? ExpressionTable::PropertyName(decimalValue(withoutQuotes(index))) : "error";
  pushPlain(*table, (isVersion4(version) ? "GetProperty(" : "getProperty (") + target + "," + std::string(name) + ")");
  return 1;
}

int ActionGetProperty::FirstVersion() const { return 4; }

std::string ActionGetProperty::ByteCodeText() const { return codeText() + " ActionGetProperty\n"; }

}  // namespace orvane
