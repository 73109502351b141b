#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"
#include "actions/Operands.h"

namespace orvane {

ActionStringExtract::ActionStringExtract(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x15, data, size) {}

int ActionStringExtract::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  pushExpression(*table, popSubstring(*table, isVersion4(version) ? "SubString(" : "substring("));
  return 1;
}

int ActionStringExtract::FirstVersion() const { return 4; }

std::string ActionStringExtract::ByteCodeText() const { return codeText() + " ActionStringExtract\n"; }

}  // namespace orvane
