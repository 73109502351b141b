#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"
#include "actions/Operands.h"
#include "actions/TextFormat.h"

namespace orvane {

ActionCallMethod::ActionCallMethod(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x52, data, size) {}

int ActionCallMethod::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const std::string method = withoutQuotes(table->PopValue().text);
  std::string text = ExpressionTable::StackText(table->PopValue());
  if (!method.empty()) text += "." + method;
  const long long count = popCount(*table);
  pushExpression(*table, text + "(" + popJoined(*table, count, " , ") + ")");
  return 1;
}

int ActionCallMethod::FirstVersion() const { return 5; }

std::string ActionCallMethod::ByteCodeText() const { return codeText() + " ActionCallMethod\n"; }

}  // namespace orvane
