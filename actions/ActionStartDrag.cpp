#include "actions/ClipActions.h"
#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {

bool popFlag(ExpressionTable& table) {
  return decimalValue(withoutQuotes(ExpressionTable::StackText(table.PopValue()))) == 1;
}

std::string popBound(ExpressionTable& table) {
  std::string text = ExpressionTable::StackText(table.PopValue());
  return ActionRecord::IsQuotedInteger(text) ? withoutQuotes(text) : text;
}

}  // namespace

ActionStartDrag::ActionStartDrag(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x27, data, size) {}

int ActionStartDrag::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const std::string target = ExpressionTable::StackText(table->PopValue());
  const bool lockCenter = popFlag(*table);
  const bool constrained = popFlag(*table);
  std::string tail = lockCenter ? " , lockcenter)" : " )";
  if (constrained) {
    const std::string bottom = popBound(*table);
    const std::string right = popBound(*table);
    const std::string top = popBound(*table);
    const std::string left = popBound(*table);
    tail = ", L=" + left + ", T=" + top + ", R=" + right + ", B=" + bottom + tail;
  }
  appendResolved(*table, (isVersion4(version) ? "Start Drag(" : " startDrag(") + target + tail);
  return 1;
}

std::string ActionStartDrag::ByteCodeText() const { return codeText() + " ActionStartDrag\n"; }

}  // namespace orvane
