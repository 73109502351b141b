// The questions the desktop program asks the user (file names, dialogs), behind one
// interface so that tests can answer them.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "movie/MovieRewriter.h"
#include "movie/ScanOptions.h"
#include "objects/ExtractionRun.h"
#include "shell/AppSettings.h"

class QWidget;

namespace orvane {

class ScanResult;

/// What to do with changes that a step would lose: keep them (apply or save them), drop
/// them, or not take the step.
enum class ChangesAnswer { Keep, Discard, Cancel };

class ShellPrompts {
 public:
  virtual ~ShellPrompts() = default;

  /// The movie or projector to open; none when cancelled.
  virtual std::optional<std::string> openPath(QWidget* parent) = 0;
  /// A file name to save to, proposing `proposed`; none when cancelled.
  virtual std::optional<std::string> savePath(QWidget* parent, const QString& filter, const std::string& proposed) = 0;
  /// The projector dialog on `executable`: the movie to scan, none when it was left
  /// without "Scan Movie".
  virtual std::optional<std::string> projectorMovie(QWidget* parent, const std::string& executable,
                                                    const std::string& tempFolder) = 0;
  /// "Edit SWF Movie Properties" starting from the scan's values; none when cancelled.
  virtual std::optional<MovieProperties> movieProperties(QWidget* parent, const ScanResult& scan) = 0;
  /// "Orvane Options" on `options`; true (and `options` changed) on OK.
  virtual bool editOptions(QWidget* parent, ScanOptions& options) = 0;
  /// "Color Selection" on `colours`; true (and `colours` changed) on OK.
  virtual bool editColours(QWidget* parent, SyntaxColours& colours) = 0;
  /// "Orvane - Image Replacement" showing the picture at `originalPath`: the picture file
  /// chosen for "Replace And Save", none when cancelled.
  virtual std::optional<std::string> replacementPicture(QWidget* parent, const std::string& originalPath) = 0;
  /// "Extraction Settings" with `directory` in its field: the choices made for "Extract",
  /// none when cancelled.
  virtual std::optional<ExtractionSettings> extractionSettings(QWidget* parent, const std::string& directory) = 0;
  /// "Orvane - [Extraction Report]" showing `report`.
  virtual void showExtractionReport(QWidget* parent, const std::string& report) = 0;
  /// Asks `question` with the buttons `keepLabel` ("Apply" or "Save"), "Discard" and
  /// "Cancel"; closing the box cancels.
  virtual ChangesAnswer askAboutChanges(QWidget* parent, const QString& question, const QString& keepLabel) = 0;
};

class MessageSink;
class ProgramLauncher;

/// The real dialogs.
class DialogPrompts : public ShellPrompts {
 public:
  DialogPrompts(MessageSink& messages, ProgramLauncher& launcher) : m_messages(messages), m_launcher(launcher) {}

  std::optional<std::string> openPath(QWidget* parent) override;
  std::optional<std::string> savePath(QWidget* parent, const QString& filter, const std::string& proposed) override;
  std::optional<std::string> projectorMovie(QWidget* parent, const std::string& executable,
                                            const std::string& tempFolder) override;
  std::optional<MovieProperties> movieProperties(QWidget* parent, const ScanResult& scan) override;
  bool editOptions(QWidget* parent, ScanOptions& options) override;
  bool editColours(QWidget* parent, SyntaxColours& colours) override;
  std::optional<std::string> replacementPicture(QWidget* parent, const std::string& originalPath) override;
  std::optional<ExtractionSettings> extractionSettings(QWidget* parent, const std::string& directory) override;
  void showExtractionReport(QWidget* parent, const std::string& report) override;
  ChangesAnswer askAboutChanges(QWidget* parent, const QString& question, const QString& keepLabel) override;

 private:
  MessageSink& m_messages;
  ProgramLauncher& m_launcher;
};

}  // namespace orvane
