#include "shell/CEditBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "shell/DisplayText.h"

namespace orvane {

CEditBar::CEditBar(QAction* apply, QWidget* parent) : QWidget(parent), m_message(new QLabel(this)) {
  setObjectName(QStringLiteral("editBar"));
  m_message->setObjectName(QStringLiteral("editMessage"));
  m_message->setTextFormat(Qt::PlainText);
  auto* button = new QToolButton(this);
  button->setObjectName(QStringLiteral("applyButton"));
  button->setDefaultAction(apply);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(m_message, 1);
  layout->addWidget(button);
  hide();
}

void CEditBar::showNoErrors() {
  m_message->setStyleSheet(QString());
  m_message->setText(QStringLiteral("No Errors"));
}

void CEditBar::showError(std::uint32_t line, std::uint32_t column, const std::string& message) {
  m_message->setStyleSheet(QStringLiteral("color: #c80000;"));
  m_message->setText(QStringLiteral("Error : Line %1, Column %2 : %3").arg(line).arg(column).arg(displayString(message)));
}

}  // namespace orvane
