#include "shell/ViewPainting.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

#include "objects/ImageConversion.h"

// The bitmaps live in the shell's static library: register them explicitly (outside any
// namespace; registering them again is harmless).
static void initShellBitmaps() { Q_INIT_RESOURCE(shell); }

namespace orvane {

QPixmap shellBitmap(const QString& name) {
  initShellBitmaps();
  return QPixmap(QStringLiteral(":/orvane/") + name);
}

int drawTextAt(QPainter& painter, QPoint topLeft, const QString& text, const QColor& colour) {
  painter.setPen(colour);
  const QFontMetrics metrics = painter.fontMetrics();
  const int width = metrics.horizontalAdvance(text);
  painter.drawText(QRect(topLeft, QSize(width + 1, metrics.height())),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  return topLeft.x() + width;
}

QRect pictureRect(QSize picture, const QRect& area) {
  const int width = std::min(picture.width(), area.width());
  const int height = std::min(picture.height(), area.height());
  return {area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2, width, height};
}

QString pictureSizeLine(QSize size) { return QString::fromStdString(pictureSizeText(size.width(), size.height())); }

void paintPicture(QPainter& painter, const QRect& client, const QImage& image, const PictureLayout& layout,
                  const QFont& font) {
  const QRect area(client.left(), client.top(), client.width(), std::max(0, client.height() - layout.reservedBottom));
  painter.drawImage(pictureRect(image.size(), area), image);
  painter.setFont(font);
  drawTextAt(painter, QPoint(client.left() + layout.textLeft, client.bottom() + 1 - layout.textAbove),
             pictureSizeLine(image.size()), Qt::white);
}

}  // namespace orvane
