#include "shell/ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>

#include "movie/MoviePanels.h"
#include "shell/CMainFrame.h"
#include "shell/OptionsDialog.h"

namespace orvane {

namespace {

bool save(QWidget& widget, const QString& folder, const QString& name) {
  QApplication::processEvents();
  return widget.grab().save(QDir(folder).filePath(name), "PNG");
}

/// The serial of the first object found by `pick` in any timeline, 0 without one.
template <typename Pick>
int firstSerial(const ScanResult& result, Pick pick) {
  for (const auto& timeline : result.timelines()) {
    if (const int serial = pick(*timeline)) return serial;
  }
  return 0;
}

}  // namespace

bool takeScreenshots(CMainFrame& frame, const QString& folder) {
  QDir().mkpath(folder);
  bool ok = save(frame, folder, QStringLiteral("main.png"));
  const ScanResult& result = frame.scanResult();
  const std::array<std::tuple<int, int, const char*>, 3> windows = {
      std::tuple{
          viewkind::kAction,
          firstSerial(result,
                      [](const TimelineNode& node) { return node.actions.empty() ? 0 : node.actions.front()->serial; }),
          "action-frame.png"},
      std::tuple{
          viewkind::kButton,
          firstSerial(result,
                      [](const TimelineNode& node) { return node.buttons.empty() ? 0 : node.buttons.front()->serial; }),
          "action-button.png"},
      std::tuple{viewkind::kInstance,
                 firstSerial(result,
                             [](const TimelineNode& node) {
                               return node.instances.empty() ? 0 : node.instances.front()->serial;
                             }),
                 "action-instance.png"}};
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
  return ok;
}

}  // namespace orvane
