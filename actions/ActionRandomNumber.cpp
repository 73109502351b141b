#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"

namespace orvane {

ActionRandomNumber::ActionRandomNumber(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x30, data, size) {}

int ActionRandomNumber::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const std::string maximum = ExpressionTable::StackText(table->PopValue());
  pushPlain(*table, table->ResolveText((isVersion4(version) ? " Random (" : " random (") + maximum + ")"));
  return 1;
}

int ActionRandomNumber::FirstVersion() const { return 4; }

std::string ActionRandomNumber::ByteCodeText() const { return codeText() + " ActionRandomNumber\n"; }

}  // namespace orvane
