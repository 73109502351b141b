// The File menu's list of the four movies opened last, newest first, kept in the profile
// storage beside the docking layout.
#pragma once

#include <QObject>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QSettings;

namespace orvane {

class RecentFilesMenu : public QObject {
  Q_OBJECT

 public:
  static constexpr std::size_t kCapacity = 4;

  /// Places the entries (and a separator behind them) in `menu` in front of `before`.
  RecentFilesMenu(QMenu* menu, QAction* before, QObject* parent = nullptr);

  /// Puts `path` first; an older entry of the same path goes, and so does the fifth.
  void add(const std::string& path);
  void remove(const std::string& path);
  const std::vector<std::string>& paths() const { return m_paths; }
  /// The entries' menu commands, in list order.
  const std::vector<QAction*>& actions() const { return m_actions; }

  /// Reads the entries "File1" to "File4" of the group "Recent File List"; empty and
  /// repeated entries are skipped.
  void load(const QSettings& profile);
  /// Writes the entries under the same names (keys of missing entries are removed).
  void save(QSettings& profile) const;

 signals:
  /// An entry was chosen.
  void fileChosen(const std::string& path);

 private:
  void rebuild();

  QMenu* m_menu;
  QAction* m_before;
  QAction* m_separator = nullptr;
  std::vector<std::string> m_paths;
  std::vector<QAction*> m_actions;
};

}  // namespace orvane
