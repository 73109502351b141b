#include "shell/RecentFilesMenu.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <algorithm>

namespace orvane {

namespace {

constexpr const char* kGroup = "Recent File List";

QString entryKey(std::size_t index) { return QStringLiteral("%1/File%2").arg(QLatin1String(kGroup)).arg(index + 1); }

}  // namespace

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QAction* before, QObject* parent)
    : QObject(parent), m_menu(menu), m_before(before) {}

void RecentFilesMenu::add(const std::string& path) {
  std::erase(m_paths, path);
  m_paths.insert(m_paths.begin(), path);
  if (m_paths.size() > kCapacity) m_paths.resize(kCapacity);
  rebuild();
}

void RecentFilesMenu::remove(const std::string& path) {
  std::erase(m_paths, path);
  rebuild();
}

void RecentFilesMenu::load(const QSettings& profile) {
  m_paths.clear();
  for (std::size_t i = 0; i < kCapacity; ++i) {
    const std::string path = profile.value(entryKey(i)).toString().toStdString();
    if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end()) m_paths.push_back(path);
  }
  rebuild();
}

void RecentFilesMenu::save(QSettings& profile) const {
  for (std::size_t i = 0; i < kCapacity; ++i) {
    if (i < m_paths.size()) {
      profile.setValue(entryKey(i), QString::fromStdString(m_paths[i]));
    } else {
      profile.remove(entryKey(i));
    }
  }
}

void RecentFilesMenu::rebuild() {
  // Later: the entry whose command is running may be among them.
  if (m_separator != nullptr) m_actions.push_back(m_separator);
  for (QAction* action : m_actions) {
    m_menu->removeAction(action);
    action->deleteLater();
  }
  m_actions.clear();
  m_separator = nullptr;
  if (m_paths.empty()) return;
  for (std::size_t i = 0; i < m_paths.size(); ++i) {
    QString shown = QString::fromStdString(m_paths[i]);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), m_menu);
    action->setStatusTip(QStringLiteral("Open this movie"));
    const std::string path = m_paths[i];
    connect(action, &QAction::triggered, this, [this, path] { emit fileChosen(path); });
    m_menu->insertAction(m_before, action);
    m_actions.push_back(action);
  }
  m_separator = m_menu->insertSeparator(m_before);
}

}  // namespace orvane
