#include <algorithm>

#include "actions/ControlActions.h"
#include "actions/ExpressionTable.h"
#include "actions/TextFormat.h"

namespace orvane {

ActionIf::ActionIf(const std::uint8_t* data, std::uint32_t size) : BranchAction(0x9D, data, size, " ActionIf\n") {}

int ActionIf::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  const std::string_view negation = isVersion4(version) ? " Not(" : " not (";
  std::string condition = table->ResolveText(ExpressionTable::StackText(table->PopValue()));
  if (table->LastActionCode() == 0x12 && condition.starts_with(negation)) {
    // Undo the negation that ActionNot wrote in front of the condition.
    condition.erase(0, negation.size());
    if (!condition.empty()) condition.pop_back();
  }
  std::string line = "<_IF> (" + condition + " )" + (isVersion4(version) ? "" : "{");
  std::string previous = table->LastLine();
  std::erase_if(previous, [](char c) { return c == ' ' || c == '\t'; });
  if (previous == "<_ELSE>") {
    line.replace(0, 5, "<_ELSEIF>");
    table->Outdent();
    table->ReplaceLastLine(line);
  } else if (previous == "<_LOOPSTART>") {
    line.replace(0, 5, "<_LOOPSTART>");
    table->ReplaceLastLine(line);
  } else {
    table->AppendLine(line);
  }
  table->Indent();
  return 1;
}

}  // namespace orvane
