#include "shell/CImageFrameWnd.h"

#include <QAction>
#include <QApplication>
#include <QToolBar>

#include "movie/MovieObject.h"
#include "objects/ImageReplacement.h"
#include "shell/CImageView.h"
#include "shell/Commands.h"
#include "shell/DisplayText.h"
#include "shell/ObjectSaveCommand.h"
#include "shell/ShellPrompts.h"

namespace orvane {

CImageFrameWnd::CImageFrameWnd(const ImageObject* image, const std::string& title, const std::string& moviePath,
                               const ScanResult* scan, MessageSink& messages, ShellPrompts& prompts, QWidget* parent)
    : CObjectFrameWnd(parent),
      m_image(image),
      m_title(title),
      m_moviePath(moviePath),
      m_scan(scan),
      m_messages(messages),
      m_prompts(prompts),
      m_view(new CImageView(this)),
      m_contextMenu(new QMenu(QStringLiteral("ImageContext"), this)) {
  setCentralWidget(m_view);
  setWindowTitle(displayString(m_title));
  auto* toolbar = addToolBar(QStringLiteral("Image"));
  toolbar->setObjectName(QStringLiteral("imageToolbar"));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  addMenuCommand(cmd::kExtractObject, QStringLiteral("Save As JPEG"), QStringLiteral("Save"));
  addMenuCommand(cmd::kReplaceImage, QStringLiteral("Replace Image"), QStringLiteral("Replace"));
  for (QAction* action : m_contextMenu->actions()) toolbar->addAction(action);
  connect(m_view, &CImageView::contextMenuWanted, this, &CImageFrameWnd::showContextMenu);
  (void)m_view->load(m_image != nullptr ? m_image->tempFilePath : std::string());
}

void CImageFrameWnd::addMenuCommand(int id, const QString& label, const QString& toolbarText) {
  QAction* action = addCommand(id, label);
  action->setIconText(toolbarText);
  action->setToolTip(label);
  m_contextMenu->addAction(action);
}

void CImageFrameWnd::runCommand(int id) {
  if (m_image == nullptr) return;
  switch (id) {
    case cmd::kExtractObject:
      (void)saveObjectAs(this, m_prompts, m_messages, m_image->tempFilePath, ObjectWindow::Image);
      break;
    case cmd::kReplaceImage:
      replaceImage();
      break;
    default:
      break;
  }
}

void CImageFrameWnd::replaceImage() {
  if (m_scan == nullptr || (m_rewriteGuard && !m_rewriteGuard())) return;
  const std::optional<std::string> picture = m_prompts.replacementPicture(this, m_image->tempFilePath);
  if (!picture) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool replaced = orvane::replaceImage(m_moviePath, *m_scan, *m_image, *picture, m_messages);
  QApplication::restoreOverrideCursor();
  if (replaced) emit rescanRequested();
}

void CImageFrameWnd::showContextMenu(QPoint globalPosition) { m_contextMenu->popup(globalPosition + QPoint(0, 12)); }

}  // namespace orvane
