#include "actions/OperatorAction.h"

#include "actions/ExpressionTable.h"

namespace orvane {

bool OperatorAction::IsParenthesisingCode(std::uint8_t code) {
  return (code >= 10 && code <= 17) || code == 19 || code == 41;
}

int OperatorAction::Render(ExpressionTable* table, int version) {
  if (table == nullptr) return 0;
  const char* operatorText = isVersion4(version) ? m_texts.version4 : m_texts.version5;
  if (operatorText == nullptr) {
    renderLaterAction(*table);
    return 1;
  }
  bool parenthesise = m_texts.parentheses == Parentheses::Always;
  if (m_texts.parentheses == Parentheses::AfterOperator) parenthesise = IsParenthesisingCode(table->LastActionCode());
  RenderBinaryOperator(*table, operatorText, parenthesise);
  return 1;
}

}  // namespace orvane
