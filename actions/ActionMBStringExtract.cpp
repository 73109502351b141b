#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"
#include "actions/Operands.h"

namespace orvane {

ActionMBStringExtract::ActionMBStringExtract(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x35, data, size) {}

int ActionMBStringExtract::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  pushExpression(*table, popSubstring(*table, isVersion4(version) ? "MBSubString(" : "mbsubstring("));
  return 1;
}

int ActionMBStringExtract::FirstVersion() const { return 4; }

std::string ActionMBStringExtract::ByteCodeText() const { return codeText() + " ActionMBStringExtract\n"; }

}  // namespace orvane
