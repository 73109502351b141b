// What the widget tests share: one QApplication, scripted answers to the dialogs, and a
// main window over a scratch configuration and temp folder.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "platform/MessageSink.h"
#include "platform/ProcessLauncher.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "shell/CMoviePreviewPanel.h"
#include "shell/ShellPrompts.h"
#include "tests/support/TestFiles.h"

namespace orvane::test {

/// Deletes the application object after the last test, while Qt's own globals still live
/// (at exit they may already be gone).
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  static QApplication& application() {
    static int argc = 1;
    static char name[] = "orvane_shell_tests";
    static char* argv[] = {name, nullptr};
    if (s_application == nullptr) {
      // Widgets draw off-screen, and the browser engine of the preview refuses to start
      // as root (as test machines run) unless its sandbox is off.
      if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      if (!qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
      s_application = new QApplication(argc, argv);
    }
    return *s_application;
  }
  void TearDown() override {
    delete s_application;
    s_application = nullptr;
  }

 private:
  static inline QApplication* s_application = nullptr;
};

inline const ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

/// The application object of the test program, made on first use (after what the preview
/// panel's web view needs before it: its URL scheme and shared OpenGL contexts).
inline QApplication& qtApplication() {
  static const bool webEngineReady = [] {
    CMoviePreviewPanel::registerPlayerScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
  }();
  (void)webEngineReady;
  return QtApplicationEnvironment::application();
}

/// Answers every question from queues; an empty queue cancels.
class ScriptedPrompts : public ShellPrompts {
 public:
  std::optional<std::string> openPath(QWidget*) override { return next(openPaths); }
  std::optional<std::string> savePath(QWidget*, const QString&, const std::string& proposed) override {
    proposedNames.push_back(proposed);
    return next(savePaths);
  }
  std::optional<std::string> projectorMovie(QWidget*, const std::string& executable, const std::string&) override {
    projectorRuns.push_back(executable);
    return next(projectorMovies);
  }
  std::optional<MovieProperties> movieProperties(QWidget*, const ScanResult&) override { return next(properties); }
  bool editOptions(QWidget*, ScanOptions& options) override {
    if (!newOptions) return false;
    options = *newOptions;
    return true;
  }
  bool editColours(QWidget*, SyntaxColours& colours) override {
    if (!newColours) return false;
    colours = *newColours;
    return true;
  }

  std::optional<std::string> replacementPicture(QWidget*, const std::string& originalPath) override {
    replacementOriginals.push_back(originalPath);
    return next(replacementPictures);
  }
  std::optional<ExtractionSettings> extractionSettings(QWidget*, const std::string& directory) override {
    extractionDirectories.push_back(directory);
    return next(extractions);
  }
  void showExtractionReport(QWidget*, const std::string& report) override { reports.push_back(report); }
  ChangesAnswer askAboutChanges(QWidget*, const QString& question, const QString& keepLabel) override {
    changeQuestions.push_back((question + " [" + keepLabel + "]").toStdString());
    return next(changeAnswers).value_or(ChangesAnswer::Cancel);
  }

  std::deque<std::string> openPaths;
  std::deque<std::string> savePaths;
  std::deque<std::string> projectorMovies;
  std::deque<MovieProperties> properties;
  std::optional<ScanOptions> newOptions;
  std::optional<SyntaxColours> newColours;
  std::vector<std::string> proposedNames;
  std::vector<std::string> projectorRuns;
  std::deque<std::string> replacementPictures;
  std::vector<std::string> replacementOriginals;
  std::deque<ExtractionSettings> extractions;
  std::vector<std::string> extractionDirectories;
  std::vector<std::string> reports;
  std::deque<ChangesAnswer> changeAnswers;
  std::vector<std::string> changeQuestions;

 private:
  template <typename T>
  static std::optional<T> next(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

/// Starts nothing; records what it was asked.
class NullLauncher : public ProgramLauncher {
 public:
  bool start(const std::vector<std::string>&) override { return false; }
  std::optional<std::string> capture(const std::vector<std::string>&) override { return std::nullopt; }
};

/// A main window with its own configuration and temp folders.
struct FrameFixture {
  FrameFixture() {
    qtApplication();
    frame = std::make_unique<CMainFrame>(FrameServices{messages, prompts, launcher, config.path(), temp.path()});
    // A hidden preview starts no web player; the preview panel's own tests start one.
    frame->dock(cmd::kMoviePreview)->hide();
    frame->show();
  }

  ScratchFolder config;
  ScratchFolder temp;
  RecordingMessageSink messages;
  ScriptedPrompts prompts;
  NullLauncher launcher;
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace orvane::test
