// An image window: one image object of the movie shown with its pixel size, saved as JPEG
// or replaced inside the movie.
#pragma once

#include <QMenu>
#include <functional>
#include <string>

#include "shell/CObjectFrameWnd.h"

namespace orvane {

class CImageView;
class ImageObject;
class MessageSink;
class ScanResult;
class ShellPrompts;

class CImageFrameWnd : public CObjectFrameWnd {
  Q_OBJECT

 public:
  /// `image` and `scan` (the scan of the movie at `moviePath` the image belongs to) must
  /// outlive the window; `title` is the image's display text. A null image shows the
  /// view's error line and its commands do nothing.
  CImageFrameWnd(const ImageObject* image, const std::string& title, const std::string& moviePath,
                 const ScanResult* scan, MessageSink& messages, ShellPrompts& prompts, QWidget* parent = nullptr);

  /// "Save As JPEG" (32780) and "Replace Image" (32795); other ids do nothing.
  void runCommand(int id) override;
  /// Asked before "Replace Image" rewrites the movie file; false stops the command.
  void setRewriteGuard(std::function<bool()> guard) { m_rewriteGuard = std::move(guard); }

  const std::string& titleText() const { return m_title; }
  CImageView* view() const { return m_view; }
  QMenu* contextMenu() const { return m_contextMenu; }

 signals:
  /// The movie file was rewritten with a new picture; the main window scans it again.
  void rescanRequested();

 private:
  void addMenuCommand(int id, const QString& label, const QString& toolbarText);
  void replaceImage();
  void showContextMenu(QPoint globalPosition);

  const ImageObject* m_image;
  std::string m_title;
  std::string m_moviePath;
  const ScanResult* m_scan;
  MessageSink& m_messages;
  ShellPrompts& m_prompts;
  CImageView* m_view;
  QMenu* m_contextMenu;
  std::function<bool()> m_rewriteGuard;
};

}  // namespace orvane
