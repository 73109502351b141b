#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"

namespace orvane {

ActionSetTarget2::ActionSetTarget2(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x20, data, size) {}

int ActionSetTarget2::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const bool v4 = isVersion4(version);
  const std::string target = ExpressionTable::StackText(table->PopValue());
  if (target != "\"\"") {
    table->AppendLine(table->ResolveText((v4 ? "Begin Tell Target( " : " tellTarget ( ") + target + " )" + (v4 ? "" : "{")));
    table->Indent();
  } else {
    table->Outdent();
    table->AppendLine(v4 ? "End Tell Target" : "}");
  }
  return 1;
}

std::string ActionSetTarget2::ByteCodeText() const { return codeText() + " ActionSetTarget2\n"; }

}  // namespace orvane
