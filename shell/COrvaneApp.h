// The application object: makes the services and the main window and hands it the file
// named on the command line.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "platform/ProcessLauncher.h"
#include "shell/QtMessageSink.h"
#include "shell/ShellPrompts.h"

namespace orvane {

class CMainFrame;

class COrvaneApp {
 public:
  /// Needs a running QApplication. `arguments` are the program's, the program name first.
  explicit COrvaneApp(std::span<const std::string> arguments);
  ~COrvaneApp();
  COrvaneApp(const COrvaneApp&) = delete;
  COrvaneApp& operator=(const COrvaneApp&) = delete;

  CMainFrame& frame() { return *m_frame; }

 private:
  QtMessageSink m_messages;
  SystemLauncher m_launcher;
  DialogPrompts m_prompts;
  std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace orvane
