// The picture-viewer control of the replacement dialog: a placeholder bitmap until a picture
// file is loaded, then the picture with its pixel size.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <string>

namespace orvane {

class MessageSink;

class CBitmapViewerCtrl : public QWidget {
  Q_OBJECT

 public:
  /// Starts with the placeholder bitmap 149.
  explicit CBitmapViewerCtrl(MessageSink& messages, QWidget* parent = nullptr);

  /// The bitmap shown while no picture is loaded.
  void setPlaceholder(const QPixmap& placeholder);
  /// Releases the shown picture and loads the one at `path`. A missing file gives false
  /// silently; a file the loader cannot read shows "Error Loading Picture" titled with the
  /// path and gives false.
  bool load(const std::string& path);

  bool hasPicture() const { return !m_picture.isNull(); }
  const std::string& path() const { return m_path; }
  QSize pictureSize() const { return m_picture.size(); }
  const QPixmap& placeholder() const { return m_placeholder; }

  QSize sizeHint() const override { return {200, 150}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  MessageSink& m_messages;
  std::string m_path;
  QImage m_picture;
  QPixmap m_placeholder;
};

}  // namespace orvane
