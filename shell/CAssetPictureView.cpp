#include "shell/CAssetPictureView.h"

#include <QPainter>

#include "shell/ViewPainting.h"

namespace orvane {

namespace {

constexpr int kMargin = 8;
constexpr int kSquare = 8;  // the chequered ground's squares, in pixels
const QColor kNoteColour(170, 20, 20);

/// Light squares that show where a picture is transparent.
QBrush chequeredBrush() {
  QPixmap tile(2 * kSquare, 2 * kSquare);
  tile.fill(QColor(255, 255, 255));
  QPainter painter(&tile);
  painter.fillRect(0, 0, kSquare, kSquare, QColor(222, 222, 222));
  painter.fillRect(kSquare, kSquare, kSquare, kSquare, QColor(222, 222, 222));
  return QBrush(tile);
}

}  // namespace

CAssetPictureView::CAssetPictureView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(120, 80);
}

void CAssetPictureView::setPicture(const QImage& picture, const QStringList& lines, const QStringList& notes) {
  const bool roomChanges = lines.size() + notes.size() != m_lines.size() + m_notes.size();
  m_picture = picture;
  m_lines = lines;
  m_notes = notes;
  update();
  if (roomChanges) emit pictureAreaChanged();
}

int CAssetPictureView::linesHeight() const {
  const auto count = static_cast<int>(m_lines.size() + m_notes.size());
  return count * fontMetrics().height() + (count == 0 ? 0 : kMargin);
}

QSize CAssetPictureView::pictureArea() const {
  return {std::max(1, width() - 2 * kMargin), std::max(1, height() - 2 * kMargin - linesHeight())};
}

void CAssetPictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const QRect area(QPoint(kMargin, kMargin), pictureArea());
  const QRect target = pictureRect(m_picture.size(), area);
  painter.fillRect(target, chequeredBrush());
  painter.drawImage(target, m_picture);
  int top = area.bottom() + 1 + kMargin;
  const auto drawLines = [&](const QStringList& lines, const QColor& colour) {
    for (const QString& line : lines) {
      drawTextAt(painter, QPoint(kMargin, top), line, colour);
      top += fontMetrics().height();
    }
  };
  drawLines(m_lines, palette().windowText().color());
  drawLines(m_notes, kNoteColour);
}

void CAssetPictureView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit pictureAreaChanged();
}

}  // namespace orvane
