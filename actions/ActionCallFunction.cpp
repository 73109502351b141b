#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"
#include "actions/Operands.h"
#include "actions/TextFormat.h"

namespace orvane {

ActionCallFunction::ActionCallFunction(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x3D, data, size) {}

int ActionCallFunction::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const std::string name = withoutQuotes(ExpressionTable::StackText(table->PopValue()));
  const long long count = popCount(*table);
  pushExpression(*table, name + "(" + popJoined(*table, count, " , ") + ")");
  return 1;
}

int ActionCallFunction::FirstVersion() const { return 5; }

std::string ActionCallFunction::ByteCodeText() const { return codeText() + " ActionCallFunction\n"; }

}  // namespace orvane
