// The image window's view: one picture file drawn centred on black with its pixel size.
#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>
#include <string>

namespace orvane {

class CImageView : public QWidget {
  Q_OBJECT

 public:
  explicit CImageView(QWidget* parent = nullptr);

  /// Shows the picture at `path`; false (and the error line instead) when the path is
  /// empty, the file does not exist or it holds no picture the loader reads.
  bool load(const std::string& path);

  bool hasPicture() const { return !m_picture.isNull(); }
  const std::string& path() const { return m_path; }
  /// The picture's size in pixels; empty without a picture.
  QSize pictureSize() const { return m_picture.size(); }
  /// The line drawn under the picture, "Width : %d , Height : %d".
  QString sizeText() const;

  static constexpr const char* kLoadError = "Error Loading picture file...";

 signals:
  /// A right click at `globalPosition`; the frame opens its context menu.
  void contextMenuWanted(QPoint globalPosition);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  std::string m_path;
  QImage m_picture;
};

}  // namespace orvane
