// What every object window (action, image, sound) offers the main window: its commands by id.
#pragma once

#include <QMainWindow>

namespace orvane {

class CObjectFrameWnd : public QMainWindow {
 public:
  using QMainWindow::QMainWindow;

  /// Runs one of the window's commands; ids the window does not know do nothing.
  /// The main window's "Extract Object" (32780) saves the window's object.
  virtual void runCommand(int id) = 0;
};

}  // namespace orvane
