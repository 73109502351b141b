#include "shell/PropertiesDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "movie/ScanResult.h"
#include "platform/MessageSink.h"

namespace orvane {

PropertiesDialog::PropertiesDialog(const ScanResult& scan, MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      m_messages(messages),
      m_width(new QLineEdit(QString::number(scan.width), this)),
      m_height(new QLineEdit(QString::number(scan.height), this)),
      m_frameRate(new QLineEdit(QString::number(scan.frameRate), this)) {
  setWindowTitle(QStringLiteral("Edit SWF Movie Properties"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral("Movie Properties"), this);
  auto* grid = new QGridLayout(group);
  const std::array<std::tuple<const char*, QLineEdit*, const char*>, 3> rows = {
      std::tuple{"Movie Width :", m_width, "pixels"}, std::tuple{"Movie Height :", m_height, "pixels"},
      std::tuple{"Frame Rate :", m_frameRate, "frames\\sec"}};
  int row = 0;
  for (const auto& [label, edit, unit] : rows) {
    edit->setObjectName(QString::fromLatin1(label));
    grid->addWidget(new QLabel(QString::fromLatin1(label), group), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(QString::fromLatin1(unit), group), row, 2);
    ++row;
  }
  layout->addWidget(group);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("Change Properties"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &PropertiesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QLineEdit* PropertiesDialog::field(PropertyField which) const {
  switch (which) {
    case PropertyField::Width:
      return m_width;
    case PropertyField::Height:
      return m_height;
    case PropertyField::FrameRate:
      return m_frameRate;
  }
  return m_width;
}

void PropertiesDialog::accept() {
  const std::optional<PropertyProblem> problem = validateMovieProperties(
      m_width->text().toStdString(), m_height->text().toStdString(), m_frameRate->text().toStdString(), m_properties);
  if (problem) {
    m_messages.show({"", problem->message, MessageIcon::Warning});
    QLineEdit* edit = field(problem->field);
    edit->setFocus();
    edit->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace orvane
