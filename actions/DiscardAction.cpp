#include "actions/DiscardAction.h"

#include "actions/ExpressionTable.h"

namespace orvane {

int DiscardAction::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  if (isVersion4(version)) {
    renderLaterAction(*table);
    return 1;
  }
  for (int i = 0; i < m_popCount; ++i) static_cast<void>(table->PopValue());
  return 1;
}

}  // namespace orvane
