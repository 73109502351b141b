// What every object window (action, image, sound) offers the main window: its commands by id.
#pragma once

#include <QMainWindow>
#include <map>

class QAction;

namespace orvane {

class CObjectFrameWnd : public QMainWindow {
 public:
  using QMainWindow::QMainWindow;

  /// Runs one of the window's commands; ids the window does not know do nothing.
  /// The main window's "Extract Object" (32780) saves the window's object.
  virtual void runCommand(int id) = 0;

  /// The window's action for command `id`; none when it has no such command.
  QAction* commandAction(int id) const;

 protected:
  /// A new action labelled `label` that runs command `id` when triggered.
  QAction* addCommand(int id, const QString& label);

 private:
  std::map<int, QAction*> m_commandActions;
};

}  // namespace orvane
