#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"
#include "actions/VariableActions.h"

namespace orvane {

ActionSetVariable::ActionSetVariable(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x1D, data, size) {}

int ActionSetVariable::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const std::string value = ExpressionTable::StackText(table->PopValue());
  const std::string name = ExpressionTable::StackText(table->PopValue());
  std::string line;
  if (isVersion4(version)) {
    line = "Set Variable: " + name + " = " + value;
  } else if (name.starts_with("<|") && name.ends_with("|>")) {
    // A computed name.
    line = "set( " + name + " , " + value + ");";
  } else {
    line = withoutQuotes(name) + " = " + value + ";";
  }
  appendResolved(*table, line);
  return 1;
}

int ActionSetVariable::FirstVersion() const { return 4; }

std::string ActionSetVariable::ByteCodeText() const { return codeText() + " ActionSetVariable\n"; }

}  // namespace orvane
