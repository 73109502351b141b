#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"
#include "actions/VariableActions.h"

namespace orvane {

ActionGetMember::ActionGetMember(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x4E, data, size) {}

int ActionGetMember::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const std::string member = ExpressionTable::StackText(table->PopValue());
  const std::string object = ExpressionTable::StackText(table->PopValue());
  pushExpression(*table, object + "." + withoutQuotes(member));
  return 1;
}

int ActionGetMember::FirstVersion() const { return 5; }

std::string ActionGetMember::ByteCodeText() const { return codeText() + " ActionGetMember\n"; }

}  // namespace orvane
