#include "actions/UnaryAction.h"

#include "actions/ExpressionTable.h"

namespace orvane {

int UnaryAction::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const Wrapping& wrapping = isVersion4(version) ? m_texts.version4 : m_texts.version5;
  if (wrapping.prefix == nullptr) {
    renderLaterAction(*table);
    return 1;
  }
  std::string text = wrapping.prefix + ExpressionTable::StackText(table->PopValue()) + wrapping.suffix;
  deliver(*table, std::move(text), m_texts.form);
  return 1;
}

}  // namespace orvane
