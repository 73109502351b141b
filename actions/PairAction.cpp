#include "actions/ClassActions.h"
#include "actions/ExpressionTable.h"

namespace orvane {

int PairAction::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  const std::string top = ExpressionTable::StackText(table->PopValue());
  const std::string lower = ExpressionTable::StackText(table->PopValue());
  deliver(*table, lower + m_texts.infix + top + m_texts.suffix, m_texts.form);
  return 1;
}

}  // namespace orvane
