#include "shell/CImageView.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <filesystem>

#include "shell/ViewPainting.h"

namespace orvane {

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

QString CImageView::sizeText() const { return pictureSizeLine(m_picture.size()); }

void CImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (hasPicture()) {
    paintPicture(painter, rect(), m_picture, PictureLayout{18, 10, 16}, font());
  } else {
    drawTextAt(painter, QPoint(20, height() / 2), QString::fromLatin1(kLoadError), Qt::white);
  }
}

void CImageView::contextMenuEvent(QContextMenuEvent* event) { emit contextMenuWanted(event->globalPos()); }

}  // namespace orvane
