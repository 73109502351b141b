#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"
#include "actions/VariableActions.h"

namespace orvane {

ActionSetProperty::ActionSetProperty(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x23, data, size) {}

int ActionSetProperty::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const std::string value = ExpressionTable::StackText(table->PopValue());
  const std::string index = ExpressionTable::StackText(table->PopValue());
  const std::string target = ExpressionTable::StackText(table->PopValue());
  // No quoted-integer test here: an index without digits selects property 0.
  const std::string name(ExpressionTable::PropertyName(decimalValue(withoutQuotes(index))));
  if (isVersion4(version)) {
    appendResolved(*table, "SetProperty(" + target + "," + name + ") = " + value);
  } else {
    appendResolved(*table, "setProperty(" + target + "," + name + "," + value + ")");
  }
  return 1;
}

int ActionSetProperty::FirstVersion() const { return 4; }

std::string ActionSetProperty::ByteCodeText() const { return codeText() + " ActionSetProperty\n"; }

}  // namespace orvane
