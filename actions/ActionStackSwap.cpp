#include "actions/ExpressionTable.h"
#include "actions/StackActions.h"

namespace orvane {

ActionStackSwap::ActionStackSwap(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x4D, data, size) {}

int ActionStackSwap::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  std::string top = ExpressionTable::StackText(table->PopValue());
  std::string below = ExpressionTable::StackText(table->PopValue());
  pushExpression(*table, std::move(top));
  pushExpression(*table, std::move(below));
  return 1;
}

std::string ActionStackSwap::ByteCodeText() const { return codeText() + " ActionStackSwap\n"; }

}  // namespace orvane
