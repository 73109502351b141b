#include "shell/CAudioFrameWnd.h"

#include <QAction>

#include "movie/MovieObject.h"
#include "platform/MessageSink.h"
#include "shell/CAudioView.h"
#include "shell/Commands.h"
#include "shell/DisplayText.h"
#include "shell/ObjectSaveCommand.h"

namespace orvane {

CAudioFrameWnd::CAudioFrameWnd(const SoundObject* sound, const std::string& title, MessageSink& messages,
                               ShellPrompts& prompts, ProgramLauncher& launcher, QWidget* parent)
    : CObjectFrameWnd(parent),
      m_sound(sound),
      m_title(title),
      m_messages(messages),
      m_prompts(prompts),
      m_view(new CAudioView(messages, launcher, this)),
      m_contextMenu(new QMenu(QStringLiteral("AudioContext"), this)) {
  setCentralWidget(m_view);
  setWindowTitle(displayString(m_title));
  m_contextMenu->addAction(addCommand(cmd::kExtractObject, QStringLiteral("Save As File")));
  m_contextMenu->addAction(addCommand(cmd::kPlay, QStringLiteral("Play Audio")));
  m_contextMenu->addAction(addCommand(cmd::kStop, QStringLiteral("Stop Audio")));
  connect(m_view, &CAudioView::contextMenuWanted, this, &CAudioFrameWnd::showContextMenu);
  if (m_sound != nullptr && m_sound->format == 1) m_messages.show({"", kAdpcmMessage, MessageIcon::Information});
  (void)m_view->load(m_sound != nullptr && m_sound->hasFile ? m_sound->tempFilePath : std::string());
}

void CAudioFrameWnd::runCommand(int id) {
  switch (id) {
    case cmd::kPlay:
      m_view->play();
      break;
    case cmd::kStop:
      m_view->stop();
      break;
    case cmd::kExtractObject:
      if (m_sound != nullptr)
        (void)saveObjectAs(this, m_prompts, m_messages, m_sound->tempFilePath, ObjectWindow::Sound);
      break;
    default:
      break;
  }
}

void CAudioFrameWnd::showContextMenu(QPoint globalPosition) { m_contextMenu->popup(globalPosition + QPoint(0, 12)); }

}  // namespace orvane
