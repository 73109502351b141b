#include "shell/CFileChangedBar.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace orvane {

namespace {
constexpr int kCheckIntervalMs = 1000;
}

CFileChangedBar::CFileChangedBar(QWidget* parent)
    : QWidget(parent),
      m_message(new QLabel(QStringLiteral("The movie has changed on disk since it was scanned."), this)),
      m_reload(new QPushButton(QStringLiteral("Reload"), this)),
      m_timer(new QTimer(this)) {
  setObjectName(QStringLiteral("fileChangedBar"));
  setAutoFillBackground(true);
  QPalette shade = palette();
  shade.setColor(QPalette::Window, QColor(255, 246, 200));
  setPalette(shade);
  auto* dismiss = new QPushButton(QStringLiteral("Dismiss"), this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 3, 6, 3);
  layout->addWidget(m_message, 1);
  layout->addWidget(m_reload);
  layout->addWidget(dismiss);
  connect(m_reload, &QPushButton::clicked, this, [this] {
    hide();
    emit reloadRequested();
  });
  // Dismissed, the bar waits for the next change.
  connect(dismiss, &QPushButton::clicked, this, [this] {
    m_seen = modificationTime();
    hide();
  });
  connect(m_timer, &QTimer::timeout, this, &CFileChangedBar::check);
  hide();
}

void CFileChangedBar::watch(const std::string& path) {
  m_path = QString::fromStdString(path);
  m_seen = modificationTime();
  hide();
  if (m_path.isEmpty()) {
    m_timer->stop();
  } else {
    m_timer->start(kCheckIntervalMs);
  }
}

QDateTime CFileChangedBar::modificationTime() const {
  const QFileInfo file(m_path);
  return file.exists() ? file.lastModified() : QDateTime();
}

void CFileChangedBar::check() {
  if (m_path.isEmpty() || !isHidden()) return;
  if (modificationTime() != m_seen) show();
}

}  // namespace orvane
