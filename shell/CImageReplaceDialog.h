// "Orvane - Image Replacement": the original picture beside the one chosen to replace it.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace orvane {

class CBitmapViewerCtrl;
class MessageSink;

class CImageReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  /// `currentImagePath` is the image object's temporary file, shown as the original.
  CImageReplaceDialog(const std::string& currentImagePath, MessageSink& messages, QWidget* parent = nullptr);

  /// The picture file chosen ("File Name :" as it stood at "Replace And Save").
  std::string selectedPath() const { return m_selectedPath; }

  /// What "Browse" does with the file chosen in its dialog: "File Name :" takes the path
  /// and the "Selected Image" preview shows the picture.
  void choosePicture(const std::string& path);

  CBitmapViewerCtrl* originalPreview() const { return m_original; }
  CBitmapViewerCtrl* selectedPreview() const { return m_selected; }
  QLineEdit* fileNameEdit() const { return m_fileName; }
  QPushButton* browseButton() const { return m_browse; }

  /// The open-file dialog's only filter.
  static constexpr const char* kPictureFilter = "Supported Image Files (*.jpg *.png *.tga *.tif *.pcx *.bmp)";

 private:
  void accept() override;
  void browse();

  std::string m_selectedPath;
  CBitmapViewerCtrl* m_original;
  CBitmapViewerCtrl* m_selected;
  QLineEdit* m_fileName;
  QPushButton* m_browse;
};

}  // namespace orvane
