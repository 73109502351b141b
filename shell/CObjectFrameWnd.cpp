#include "shell/CObjectFrameWnd.h"

#include <QAction>

namespace orvane {

QAction* CObjectFrameWnd::commandAction(int id) const {
  const auto found = m_commandActions.find(id);
  return found == m_commandActions.end() ? nullptr : found->second;
}

QAction* CObjectFrameWnd::addCommand(int id, const QString& label) {
  auto* action = new QAction(label, this);
  connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
  m_commandActions[id] = action;
  return action;
}

}  // namespace orvane
