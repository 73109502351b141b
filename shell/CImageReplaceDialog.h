// "Orvane - Image Replacement": the original picture beside the one chosen to replace it.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace orvane {

class MessageSink;

class CImageReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  /// `currentImagePath` is the image object's temporary file, shown as the original.
  CImageReplaceDialog(const std::string& currentImagePath, MessageSink& messages, QWidget* parent = nullptr);

  /// The picture file chosen ("File Name :" as it stood at "Replace And Save").
  std::string selectedPath() const { return m_selectedPath; }

 private:
  void accept() override;

  std::string m_currentImagePath;
  std::string m_selectedPath;
  QLineEdit* m_fileName;
};

}  // namespace orvane
