#include "shell/CFindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace orvane {

CFindBar::CFindBar(QWidget* parent)
    : QWidget(parent),
      m_field(new QLineEdit(this)),
      m_matchCase(new QCheckBox(QStringLiteral("Match case"), this)),
      m_wholeWord(new QCheckBox(QStringLiteral("Whole word"), this)),
      m_count(new QLabel(this)) {
  setObjectName(QStringLiteral("findBar"));
  m_field->setObjectName(QStringLiteral("findText"));
  m_field->setPlaceholderText(QStringLiteral("Find"));
  m_count->setObjectName(QStringLiteral("findCount"));
  m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("00000 of 00000")));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(new QLabel(QStringLiteral("Find :"), this));
  layout->addWidget(m_field, 1);
  layout->addWidget(m_matchCase);
  layout->addWidget(m_wholeWord);
  QToolButton* previous = button(QStringLiteral("Previous"), QStringLiteral("findPrevious"));
  QToolButton* next = button(QStringLiteral("Next"), QStringLiteral("findNext"));
  layout->addWidget(previous);
  layout->addWidget(next);
  layout->addWidget(m_count);
  QToolButton* closer = button(QStringLiteral("Close"), QStringLiteral("findClose"));
  layout->addWidget(closer);

  connect(m_field, &QLineEdit::textChanged, this, &CFindBar::queryChanged);
  connect(m_matchCase, &QCheckBox::toggled, this, &CFindBar::queryChanged);
  connect(m_wholeWord, &QCheckBox::toggled, this, &CFindBar::queryChanged);
  connect(m_field, &QLineEdit::returnPressed, this, &CFindBar::nextRequested);
  connect(previous, &QToolButton::clicked, this, &CFindBar::previousRequested);
  connect(next, &QToolButton::clicked, this, &CFindBar::nextRequested);
  connect(closer, &QToolButton::clicked, this, &CFindBar::close);
  hide();
}

QToolButton* CFindBar::button(const QString& text, const QString& name) {
  auto* button = new QToolButton(this);
  button->setText(text);
  button->setObjectName(name);
  button->setAutoRaise(true);
  return button;
}

void CFindBar::open() {
  show();
  m_field->selectAll();
  m_field->setFocus();
}

QString CFindBar::text() const { return m_field->text(); }
bool CFindBar::matchCase() const { return m_matchCase->isChecked(); }
bool CFindBar::wholeWord() const { return m_wholeWord->isChecked(); }

void CFindBar::showCount(int current, int total) {
  m_count->setText(m_field->text().isEmpty() ? QString() : QStringLiteral("%1 of %2").arg(current).arg(total));
}

void CFindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CFindBar::close() {
  hide();
  emit closed();
}

}  // namespace orvane
