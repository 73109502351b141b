// The CAP, NUM and SCRL panes of the main window's status bar: each is shown enabled while
// its lock is on and dimmed while it is off or the platform cannot tell.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "shell/LockKeys.h"

class QLabel;

namespace orvane {

class LockIndicators : public QWidget {
  Q_OBJECT

 public:
  /// Asks `source` now and then a few times a second.
  explicit LockIndicators(std::unique_ptr<LockKeySource> source, QWidget* parent = nullptr);

  /// Asks the source and shows what it says.
  void refresh();
  QLabel* pane(LockKey key) const { return m_panes[static_cast<std::size_t>(key)]; }

 private:
  std::unique_ptr<LockKeySource> m_source;
  std::array<QLabel*, 3> m_panes{};
};

}  // namespace orvane
