// "Orvane - EXE To SWF Scan": the movies found inside a projector, to save, preview or scan.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <optional>
#include <string>

#include "movie/ProjectorSearch.h"

namespace orvane {

class ShellPrompts;

class ProjectorDialog : public QDialog {
  Q_OBJECT

 public:
  ProjectorDialog(const std::string& executable, const std::string& tempFolder, MessageSink& messages,
                  ProgramLauncher& launcher, ShellPrompts& prompts, QWidget* parent = nullptr);

  /// Searches the executable and fills the list; false when the dialog closes at once
  /// (nothing found or the file unreadable, with the message shown).
  [[nodiscard]] bool searchExecutable();
  /// Searches, then runs the dialog modally: the movie to scan after "Scan Movie", none
  /// after "Close" or an empty search.
  std::optional<std::string> run();

  QTreeWidget* list() const { return m_list; }
  QPushButton* saveButton() const { return m_save; }
  QPushButton* previewButton() const { return m_preview; }
  QPushButton* scanButton() const { return m_scan; }
  const std::optional<std::string>& moviePath() const { return m_moviePath; }

  void saveMovieAs();
  void previewMovie();
  void scanMovie();

 private:
  std::optional<std::int32_t> selectedItem() const;
  void updateButtons();
  void onDoubleClick();

  std::string m_executable;
  std::string m_tempFolder;
  ShellPrompts& m_prompts;
  ProjectorSearch m_search;
  QLineEdit* m_file;
  QTreeWidget* m_list;
  QPushButton* m_save;
  QPushButton* m_preview;
  QPushButton* m_scan;
  std::optional<std::string> m_moviePath;
};

}  // namespace orvane
