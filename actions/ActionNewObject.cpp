#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"
#include "actions/Operands.h"
#include "actions/TextFormat.h"

namespace orvane {

ActionNewObject::ActionNewObject(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x40, data, size) {}

int ActionNewObject::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const std::string name = withoutQuotes(ExpressionTable::StackText(table->PopValue()));
  const long long count = popCount(*table);
  pushExpression(*table, " new " + name + "( " + popJoined(*table, count, " ,") + " )");
  return 1;
}

int ActionNewObject::FirstVersion() const { return 5; }

std::string ActionNewObject::ByteCodeText() const { return codeText() + " ActionNewObject\n"; }

}  // namespace orvane
