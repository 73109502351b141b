#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"
#include "actions/VariableActions.h"

namespace orvane {

ActionSetMember::ActionSetMember(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x4F, data, size) {}

int ActionSetMember::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const std::string value = ExpressionTable::StackText(table->PopValue());
  const std::string member = ExpressionTable::StackText(table->PopValue());
  const std::string object = ExpressionTable::StackText(table->PopValue());
  appendResolved(*table, object + "." + withoutQuotes(member) + " = " + value);
  return 1;
}

int ActionSetMember::FirstVersion() const { return 5; }

std::string ActionSetMember::ByteCodeText() const { return codeText() + " ActionSetMember\n"; }

}  // namespace orvane
