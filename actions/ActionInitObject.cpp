#include "actions/ExpressionTable.h"
#include "actions/FunctionActions.h"
#include "actions/Operands.h"

namespace orvane {

ActionInitObject::ActionInitObject(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x43, data, size) {}

int ActionInitObject::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const long long count = popCount(*table);
  std::string text = "{";
  for (long long i = 0; i < count; ++i) {
    const std::string value = ExpressionTable::StackText(table->PopValue());
    text += ExpressionTable::StackText(table->PopValue()) + ":" + value;
  }
  pushPlain(*table, text + "}");
  return 1;
}

int ActionInitObject::FirstVersion() const { return 5; }

std::string ActionInitObject::ByteCodeText() const { return codeText() + " ActionInitObject\n"; }

}  // namespace orvane
