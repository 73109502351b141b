// The bar at the bottom of an action window in its Edit mode: what the assembler says of
// the text, and the "Apply" button.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

class QAction;
class QLabel;

namespace orvane {

class CEditBar : public QWidget {
  Q_OBJECT

 public:
  /// The button runs `apply` and follows its enabled state.
  explicit CEditBar(QAction* apply, QWidget* parent = nullptr);

  /// "No Errors".
  void showNoErrors();
  /// "Error : Line %d, Column %d : " and the message.
  void showError(std::uint32_t line, std::uint32_t column, const std::string& message);

  QLabel* message() const { return m_message; }

 private:
  QLabel* m_message;
};

}  // namespace orvane
