#include "actions/ExpressionTable.h"
#include "actions/StackActions.h"

namespace orvane {

ActionPop::ActionPop(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x17, data, size) {}

int ActionPop::Render(ExpressionTable* table, int /*version*/) {
  if (table == nullptr) return 0;
  const std::string text = ExpressionTable::StackText(table->PopValue());
  if (text.starts_with("<|") && text.ends_with("|>")) appendResolved(*table, text);
  return 1;
}

std::string ActionPop::ByteCodeText() const { return codeText() + " ActionPop\n"; }

}  // namespace orvane
