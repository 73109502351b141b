#include "shell/ScreenshotTour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>

#include "movie/MoviePanels.h"
#include "objects/ExtractionRun.h"
#include "platform/MessageSink.h"
#include "shell/CActionFrameWnd.h"
#include "shell/CExtractionDialogs.h"
#include "shell/CFindBar.h"
#include "shell/CImageReplaceDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CMoviePreviewPanel.h"
#include "shell/CSearchResultsPanel.h"
#include "shell/Commands.h"
#include "shell/OptionsDialog.h"

namespace orvane {

namespace {

bool save(QWidget& widget, const QString& folder, const QString& name) {
  QApplication::processEvents();
  return widget.grab().save(QDir(folder).filePath(name), "PNG");
}

/// The serial of the first object of the timelines' `list` that `wanted` accepts; 0 without one.
template <typename List, typename Wanted>
int firstSerial(const ScanResult& result, List TimelineNode::*list, Wanted wanted) {
  for (const auto& timeline : result.timelines()) {
    for (const auto& object : (*timeline).*list) {
      if (wanted(*object)) return object->serial;
    }
  }
  return 0;
}

constexpr auto kAnyObject = [](const MovieObject&) { return true; };

/// Lets the event loop run until `done` holds or `milliseconds` have passed.
template <typename Done>
void waitFor(Done done, int milliseconds) {
  const QDeadlineTimer deadline(milliseconds);
  while (!done() && !deadline.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

/// The main window with the preview panel playing the movie for a moment.
bool savePreview(CMainFrame& frame, const QString& folder) {
  CMoviePreviewPanel& preview = *frame.previewPanel();
  waitFor([&preview] { return preview.frameCount() >= 0 || !preview.messageText().isEmpty(); }, 30000);
  preview.button(CMoviePreviewPanel::kPlay)->click();
  waitFor([] { return false; }, 1500);
  return save(frame, folder, QStringLiteral("preview.png"));
}

/// The frame action's window with its find bar, then the "Search Results" panel, both
/// looking for `pattern`.
bool saveFinding(CMainFrame& frame, int actionSerial, const QString& folder, const QString& pattern) {
  bool ok = true;
  frame.changeView(viewkind::kAction, actionSerial);
  if (CActionFrameWnd* window = frame.activeActionWindow()) {
    frame.mdiArea()->activeSubWindow()->showMaximized();
    window->runCommand(cmd::kFind);
    window->findBar()->field()->setText(pattern);
    ok = save(frame, folder, QStringLiteral("find-bar.png"));
  }
  frame.command(cmd::kFindInMovie)->trigger();
  CSearchResultsPanel& panel = *frame.searchPanel();
  panel.patternField()->setText(pattern);
  panel.start();
  waitFor([&panel] { return !panel.running(); }, 30000);
  return save(frame, folder, QStringLiteral("search-results.png")) && ok;
}

}  // namespace

bool takeScreenshots(CMainFrame& frame, const QString& folder) {
  QDir().mkpath(folder);
  bool ok = savePreview(frame, folder);
  ok = save(frame, folder, QStringLiteral("main.png")) && ok;
  const ScanResult& result = frame.scanResult();
  const std::array<std::tuple<int, int, const char*>, 5> windows = {
      std::tuple{viewkind::kAction, firstSerial(result, &TimelineNode::actions, kAnyObject), "action-frame.png"},
      std::tuple{viewkind::kButton, firstSerial(result, &TimelineNode::buttons, kAnyObject), "action-button.png"},
      std::tuple{viewkind::kInstance, firstSerial(result, &TimelineNode::instances, kAnyObject),
                 "action-instance.png"},
      std::tuple{viewkind::kImage,
                 firstSerial(result, &TimelineNode::images, [](const ImageObject& image) { return image.viewable; }),
                 "image.png"},
      std::tuple{viewkind::kSound,
                 firstSerial(result, &TimelineNode::sounds, [](const SoundObject& sound) { return sound.hasFile; }),
                 "sound.png"}};
  for (const auto& [kind, serial, name] : windows) {
    if (serial == 0) continue;
    frame.changeView(kind, serial);
    if (QMdiSubWindow* active = frame.mdiArea()->activeSubWindow()) active->showMaximized();
    ok = save(frame, folder, QString::fromLatin1(name)) && ok;
  }
  frame.mdiArea()->tileSubWindows();
  ok = save(frame, folder, QStringLiteral("tiled.png")) && ok;
  OptionsDialog options(frame.settings().options, &frame);
  options.show();
  ok = save(options, folder, QStringLiteral("options.png")) && ok;

  const int imageSerial = std::get<1>(windows[3]);
  if (const ImageObject* image = result.findImage(static_cast<std::uint32_t>(imageSerial), true)) {
    RecordingMessageSink quiet;
    CImageReplaceDialog replace(image->tempFilePath, quiet, &frame);
    replace.show();
    ok = save(replace, folder, QStringLiteral("replace-image.png")) && ok;
  }

  // The report of a real extraction into a scratch folder that goes again afterwards.
  const QString extraction = QDir(folder).filePath(QStringLiteral("extraction"));
  ExtractionSettings settings;
  settings.directory = extraction.toStdString();
  RecordingMessageSink quiet;
  CExtractionReportDialog report(ExtractAllObjects(result, settings, quiet), &frame);
  report.show();
  ok = save(report, folder, QStringLiteral("extraction-report.png")) && ok;
  QDir(extraction).removeRecursively();

  const int actionSerial = std::get<1>(windows[0]);
  if (actionSerial != 0) ok = saveFinding(frame, actionSerial, folder, QStringLiteral("Orvane")) && ok;
  return ok;
}

}  // namespace orvane
