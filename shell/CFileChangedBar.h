// The bar above the object windows that says the movie changed on disk since its scan and
// offers to scan it again; the movie's modification time is checked once a second.
#pragma once

#include <QDateTime>
#include <QWidget>
#include <string>

class QLabel;
class QPushButton;
class QTimer;

namespace orvane {

class CFileChangedBar : public QWidget {
  Q_OBJECT

 public:
  explicit CFileChangedBar(QWidget* parent = nullptr);

  /// Watches `path` from its present modification time on (hiding the bar); an empty path
  /// watches nothing.
  void watch(const std::string& path);
  /// Compares the file's modification time with the watched one and shows the bar when it
  /// changed (or the file went); the timer calls it.
  void check();

  QPushButton* reloadButton() const { return m_reload; }
  QLabel* message() const { return m_message; }

 signals:
  void reloadRequested();

 private:
  QDateTime modificationTime() const;

  QString m_path;
  QDateTime m_seen;
  QLabel* m_message;
  QPushButton* m_reload;
  QTimer* m_timer;
};

}  // namespace orvane
