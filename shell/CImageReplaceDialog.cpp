#include "shell/CImageReplaceDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/CBitmapViewerCtrl.h"

namespace orvane {

namespace {

/// A titled group around one preview.
QGroupBox* previewGroup(const QString& title, CBitmapViewerCtrl* preview, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(preview);
  return group;
}

}  // namespace

CImageReplaceDialog::CImageReplaceDialog(const std::string& currentImagePath, MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      m_original(new CBitmapViewerCtrl(messages, this)),
      m_selected(new CBitmapViewerCtrl(messages, this)),
      m_fileName(new QLineEdit(this)),
      m_browse(new QPushButton(QStringLiteral("Browse"), this)) {
  setWindowTitle(QStringLiteral("Orvane - Image Replacement"));
  auto* layout = new QVBoxLayout(this);
  auto* previews = new QHBoxLayout;
  previews->addWidget(previewGroup(QStringLiteral("Original Image"), m_original, this));
  previews->addWidget(previewGroup(QStringLiteral("Selected Image"), m_selected, this));
  layout->addLayout(previews);

  auto* fileRow = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("File Name :"), this);
  label->setBuddy(m_fileName);
  fileRow->addWidget(label);
  fileRow->addWidget(m_fileName, 1);
  fileRow->addWidget(m_browse);
  layout->addLayout(fileRow);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("Replace And Save"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_browse, &QPushButton::clicked, this, &CImageReplaceDialog::browse);
  layout->addWidget(buttons);

  (void)m_original->load(currentImagePath);
}

void CImageReplaceDialog::browse() {
  const QString chosen = QFileDialog::getOpenFileName(this, QString(), QString(), QString::fromLatin1(kPictureFilter));
  if (!chosen.isEmpty()) choosePicture(chosen.toStdString());
}

void CImageReplaceDialog::choosePicture(const std::string& path) {
  m_fileName->setText(QString::fromStdString(path));
  (void)m_selected->load(path);
}

void CImageReplaceDialog::accept() {
  m_selectedPath = m_fileName->text().toStdString();
  QDialog::accept();
}

}  // namespace orvane
