#include "shell/ColourDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPixmap>

namespace orvane {

namespace {

constexpr std::array<const char*, 5> kRowLabels = {
    "Conditional KeyWords :", "KeyWords :", "Errors :", "Strings :", "Comments :"};

}  // namespace

ColourDialog::ColourDialog(const SyntaxColours& colours, QWidget* parent) : QDialog(parent), m_colours(colours) {
  setWindowTitle(QStringLiteral("Color Selection"));
  auto* layout = new QFormLayout(this);
  for (std::size_t row = 0; row < kRowLabels.size(); ++row) {
    m_buttons[row] = new QPushButton(this);
    m_buttons[row]->setObjectName(QString::fromLatin1(kRowLabels[row]));
    m_buttons[row]->setMinimumWidth(80);
    connect(m_buttons[row], &QPushButton::clicked, this, [this, row] { pick(row); });
    layout->addRow(QString::fromLatin1(kRowLabels[row]), m_buttons[row]);
    paintButton(row);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addRow(buttons);
}

Rgb& ColourDialog::colourOf(std::size_t row) {
  switch (row) {
    case 0:
      return m_colours.conditionalKeywords;
    case 1:
      return m_colours.keywords;
    case 2:
      return m_colours.errors;
    case 3:
      return m_colours.strings;
    default:
      return m_colours.comments;
  }
}

void ColourDialog::pick(std::size_t row) {
  const QColor chosen = QColorDialog::getColor(QColor::fromRgb(colourOf(row)), this);
  if (!chosen.isValid()) return;
  colourOf(row) = chosen.rgb() & 0xFFFFFF;
  paintButton(row);
}

void ColourDialog::paintButton(std::size_t row) {
  QPixmap swatch(48, 14);
  swatch.fill(QColor::fromRgb(colourOf(row)));
  m_buttons[row]->setIcon(QIcon(swatch));
  m_buttons[row]->setIconSize(swatch.size());
}

}  // namespace orvane
