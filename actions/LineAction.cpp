#include "actions/LineAction.h"

#include "actions/ExpressionTable.h"

namespace orvane {

int LineAction::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  table->AppendLine(isVersion4(version) ? m_texts.version4 : m_texts.version5);
  return 1;
}

}  // namespace orvane
