// The picture of a vector asset (a shape, a morph shape at a ratio, a frame, a text) drawn
// centred on a chequered ground, with lines of text beneath it: what it shows, and what
// could not be drawn.
#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

namespace orvane {

class CAssetPictureView : public QWidget {
  Q_OBJECT

 public:
  explicit CAssetPictureView(QWidget* parent = nullptr);

  /// Shows `picture` at its own size above `lines`, then `notes` in the note colour.
  void setPicture(const QImage& picture, const QStringList& lines, const QStringList& notes);

  const QImage& picture() const { return m_picture; }
  const QStringList& lines() const { return m_lines; }
  const QStringList& notes() const { return m_notes; }
  /// The room the picture has: the widget less its margins and the lines beneath.
  QSize pictureArea() const;

  QSize sizeHint() const override { return {480, 360}; }

 signals:
  /// The room for the picture changed; the window draws the picture again to fit it.
  void pictureAreaChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int linesHeight() const;

  QImage m_picture;
  QStringList m_lines;
  QStringList m_notes;
};

}  // namespace orvane
