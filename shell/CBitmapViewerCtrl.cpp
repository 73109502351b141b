#include "shell/CBitmapViewerCtrl.h"

#include <QFont>
#include <QPainter>
#include <filesystem>

#include "platform/MessageSink.h"
#include "shell/ViewPainting.h"

namespace orvane {

namespace {

/// The area the placeholder is centred in.
constexpr QSize kPlaceholderArea(200, 150);

}  // namespace

CBitmapViewerCtrl::CBitmapViewerCtrl(MessageSink& messages, QWidget* parent)
    : QWidget(parent), m_messages(messages), m_placeholder(shellBitmap(QStringLiteral("bitmap149.png"))) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(kPlaceholderArea);
  setCursor(Qt::ArrowCursor);
}

void CBitmapViewerCtrl::setPlaceholder(const QPixmap& placeholder) {
  m_placeholder = placeholder;
  update();
}

bool CBitmapViewerCtrl::load(const std::string& path) {
  m_path = path;
  m_picture = QImage();
  update();
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return false;
  if (!m_picture.load(QString::fromStdString(path))) {
    m_messages.show({path, "Error Loading Picture", MessageIcon::Error});
    return false;
  }
  return true;
}

void CBitmapViewerCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (hasPicture()) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    paintPicture(painter, rect(), m_picture, PictureLayout{10, 10, 16}, font);
  } else if (!m_placeholder.isNull()) {
    painter.drawPixmap(pictureRect(m_placeholder.size(), QRect(QPoint(0, 0), kPlaceholderArea)), m_placeholder);
  }
}

}  // namespace orvane
