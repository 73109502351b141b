#include "actions/ClassActions.h"
#include "actions/ExpressionTable.h"
#include "actions/Operands.h"

namespace orvane {

ActionImplementsOp::ActionImplementsOp(const std::uint8_t* data, std::uint32_t size)
    : ActionRecord(0x2C, data, size) {}

int ActionImplementsOp::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const std::string constructor = ExpressionTable::StackText(table->PopValue());
  const long long count = popCount(*table);
  appendResolved(*table, constructor + " implements " + popJoined(*table, count, " ,") + ";");
  return 1;
}

std::string ActionImplementsOp::ByteCodeText() const { return codeText() + " ActionImplementsOp\n"; }

}  // namespace orvane
