#include "shell/CImageReplaceDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

CImageReplaceDialog::CImageReplaceDialog(const std::string& currentImagePath, MessageSink&, QWidget* parent)
    : QDialog(parent), m_currentImagePath(currentImagePath), m_fileName(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral("Orvane - Image Replacement"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_fileName);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("Replace And Save"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void CImageReplaceDialog::accept() {
  m_selectedPath = m_fileName->text().toStdString();
  QDialog::accept();
}

}  // namespace orvane
