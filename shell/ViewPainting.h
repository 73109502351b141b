// Painting shared by the object views: the program's bitmaps, text placed by its top left
// corner, and a picture centred in an area with its size line below.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace orvane {

/// One of the bitmaps built into the program ("bitmap131.png", "bitmap149.png").
QPixmap shellBitmap(const QString& name);

/// Writes `text` in `colour` with its top left corner at `topLeft`, leaving what is behind
/// it visible; returns the x just after the text.
int drawTextAt(QPainter& painter, QPoint topLeft, const QString& text, const QColor& colour);

/// How a picture and its size line are laid out in a widget.
struct PictureLayout {
  int reservedBottom = 0;  // pixels kept free of the picture at the bottom
  int textLeft = 10;       // the size line's left edge
  int textAbove = 16;      // the size line's top, measured up from the bottom edge
};

/// Where a picture of `picture` pixels is drawn in `area`: centred at its own size, squeezed
/// to the area in each direction where it is larger.
QRect pictureRect(QSize picture, const QRect& area);

/// The line under a picture of `size` pixels, "Width : %d , Height : %d".
QString pictureSizeLine(QSize size);

/// Draws `image` into `client` as `layout` says, with its size line in white in `font`.
void paintPicture(QPainter& painter, const QRect& client, const QImage& image, const PictureLayout& layout,
                  const QFont& font);

}  // namespace orvane
