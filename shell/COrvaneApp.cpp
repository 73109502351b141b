#include "shell/COrvaneApp.h"

#include "platform/ConfigFolder.h"
#include "platform/TempFolder.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"

namespace orvane {

COrvaneApp::COrvaneApp(std::span<const std::string> arguments) : m_prompts(m_messages, m_launcher) {
  std::string error;
  const std::optional<std::string> temp = privateTempFolder(error);
  if (!temp) m_messages.show({"Orvane", "No private folder for temporary files: " + error, MessageIcon::Error});
  m_frame = std::make_unique<CMainFrame>(
      FrameServices{m_messages, m_prompts, m_launcher, configFolder(), temp.value_or(std::string())});
  m_messages.setParent(m_frame.get());
  m_frame->resize(1100, 720);
  m_frame->show();
  m_frame->setPendingPath(pendingPathFromArguments(arguments));
}

COrvaneApp::~COrvaneApp() = default;

}  // namespace orvane
