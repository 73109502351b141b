// "Color Selection": one colour button for each of the five syntax colours.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <array>

#include "shell/AppSettings.h"

namespace orvane {

class ColourDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ColourDialog(const SyntaxColours& colours, QWidget* parent = nullptr);
  const SyntaxColours& colours() const { return m_colours; }

 private:
  Rgb& colourOf(std::size_t row);
  void pick(std::size_t row);
  void paintButton(std::size_t row);

  SyntaxColours m_colours;
  std::array<QPushButton*, 5> m_buttons{};
};

}  // namespace orvane
