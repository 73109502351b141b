#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"
#include "actions/VariableActions.h"

namespace orvane {

ActionGetVariable::ActionGetVariable(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x1C, data, size) {}

int ActionGetVariable::Render(ExpressionTable* table, int /*version*/) {
  if (table == nullptr) return 0;
  pushPlain(*table, withoutQuotes(ExpressionTable::StackText(table->PopValue())));
  return 1;
}

int ActionGetVariable::FirstVersion() const { return 4; }

std::string ActionGetVariable::ByteCodeText() const { return codeText() + " ActionGetVariable\n"; }

}  // namespace orvane
