#include "shell/CImageView.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QPainter>
#include <algorithm>
#include <filesystem>

#include "objects/ImageConversion.h"

namespace orvane {

namespace {

QString sizeLine(QSize size) { return QString::fromStdString(pictureSizeText(size.width(), size.height())); }

/// Writes `text` with its top left corner at `topLeft`, in white on what is below.
void drawTextAt(QPainter& painter, QPoint topLeft, const QString& text) {
  painter.setPen(Qt::white);
  painter.drawText(
      QRect(topLeft, QSize(painter.fontMetrics().horizontalAdvance(text) + 1, painter.fontMetrics().height())),
      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

QRect pictureRect(QSize picture, const QRect& area) {
  const int width = std::min(picture.width(), area.width());
  const int height = std::min(picture.height(), area.height());
  return {area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2, width, height};
}

void paintPicture(QPainter& painter, const QRect& client, const QImage& image, const PictureLayout& layout,
                  const QFont& font) {
  const QRect area(client.left(), client.top(), client.width(), std::max(0, client.height() - layout.reservedBottom));
  painter.drawImage(pictureRect(image.size(), area), image);
  painter.setFont(font);
  drawTextAt(painter, QPoint(client.left() + layout.textLeft, client.bottom() + 1 - layout.textAbove),
             sizeLine(image.size()));
}

CImageView::CImageView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(120, 60);
}

bool CImageView::load(const std::string& path) {
  m_path = path;
  m_picture = QImage();
  std::error_code error;
  if (!path.empty() && std::filesystem::is_regular_file(path, error)) {
    // QImage decodes straight to pixels, so the picture's own size is its pixel size: no
    // physical size (and no conversion from hundredths of millimetres) is involved.
    m_picture.load(QString::fromStdString(path));
  }
  update();
  return hasPicture();
}

QString CImageView::sizeText() const { return sizeLine(m_picture.size()); }

void CImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (hasPicture()) {
    paintPicture(painter, rect(), m_picture, PictureLayout{18, 10, 16}, font());
  } else {
    drawTextAt(painter, QPoint(20, height() / 2), QString::fromLatin1(kLoadError));
  }
}

void CImageView::contextMenuEvent(QContextMenuEvent* event) { emit contextMenuWanted(event->globalPos()); }

}  // namespace orvane
