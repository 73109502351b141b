// orvane: the desktop program.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/CMainFrame.h"
#include "shell/CMoviePreviewPanel.h"
#include "shell/COrvaneApp.h"
#include "shell/ScreenshotTour.h"
#include "usage/DesktopUsage.h"
#include "usage/HelpText.h"

namespace {

bool haveDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // These answer on the terminal, with or without a display, and open no window.
  switch (orvane::desktopStart(std::vector<std::string>(argv, argv + argc))) {
    case orvane::DesktopStart::PrintVersion:
      std::puts(orvane::versionLine(orvane::desktopProgram()).c_str());
      return 0;
    case orvane::DesktopStart::PrintHelp:
      std::fputs(orvane::programHelp(orvane::desktopProgram()).c_str(), stdout);
      return 0;
    case orvane::DesktopStart::OpenWindow:
      break;
  }
  if (!haveDisplay()) {
    std::fputs("orvane: no display to show the window on; orvane-cli scan MOVIE lists a movie without one\n", stderr);
    return 1;
  }
  // The preview panel's web view needs these before the application object exists.
  orvane::CMoviePreviewPanel::registerPlayerScheme();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvane"));
  // Read after the application object has taken its own options out of argv.
  const std::vector<std::string> arguments(argv, argv + argc);
  orvane::COrvaneApp orvane(arguments);
  // ORVANE_SCREENSHOTS=FOLDER: after the start-up scan, take the documentation pictures and quit.
  const QString screenshots = qEnvironmentVariable("ORVANE_SCREENSHOTS");
  if (!screenshots.isEmpty()) {
    QTimer::singleShot(1000, &orvane.frame(), [&orvane, screenshots] {
      const bool ok = orvane::takeScreenshots(orvane.frame(), screenshots);
      orvane.frame().close();
      QApplication::exit(ok ? 0 : 1);
    });
  }
  return QApplication::exec();
}
