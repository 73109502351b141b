// The find bar at the bottom of an action window: the text to find, match case, whole word,
// previous / next and the "n of m" count.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace orvane {

class CFindBar : public QWidget {
  Q_OBJECT

 public:
  explicit CFindBar(QWidget* parent = nullptr);

  /// Shows the bar with its text selected and the focus in it.
  void open();
  QString text() const;
  bool matchCase() const;
  bool wholeWord() const;
  /// "n of m" with the 1-based number of the current match, "0 of 0" without matches and
  /// nothing while the text is empty.
  void showCount(int current, int total);

  QLineEdit* field() const { return m_field; }
  QCheckBox* matchCaseBox() const { return m_matchCase; }
  QCheckBox* wholeWordBox() const { return m_wholeWord; }
  QLabel* countLabel() const { return m_count; }

 signals:
  /// The text or one of the two options changed.
  void queryChanged();
  void nextRequested();
  void previousRequested();
  /// Esc or the close button hid the bar.
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QToolButton* button(const QString& text, const QString& name);
  void close();

  QLineEdit* m_field;
  QCheckBox* m_matchCase;
  QCheckBox* m_wholeWord;
  QLabel* m_count;
};

}  // namespace orvane
