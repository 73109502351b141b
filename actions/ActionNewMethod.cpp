#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"
#include "actions/Operands.h"

namespace orvane {

ActionNewMethod::ActionNewMethod(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x53, data, size) {}

int ActionNewMethod::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const std::string method = table->PopValue().text;  // keeps its double quotes
  std::string text = ExpressionTable::StackText(table->PopValue());
  if (!method.empty()) text += "." + method;
  const long long count = popCount(*table);
  pushPlain(*table, text + "(" + popJoined(*table, count, " , ") + " )");
  return 1;
}

int ActionNewMethod::FirstVersion() const { return 5; }

std::string ActionNewMethod::ByteCodeText() const { return codeText() + " ActionNewMethod\n"; }

}  // namespace orvane
