// The main window: menus, toolbars, the "Current File" bar, the three panels and the
// object windows of the loaded movie; opening, scanning and the frame's commands.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "actions/TranslationMode.h"
#include "movie/ObjectFileWriter.h"
#include "movie/ScanResult.h"
#include "movie/ScanStatus.h"
#include "movie/TagWalker.h"
#include "shell/ActionBlockEditor.h"
#include "shell/AppSettings.h"
#include "shell/ShellPrompts.h"

class QAction;
class QDockWidget;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace orvane {

class CActionFrameWnd;
class MovieArtwork;
class CFileChangedBar;
class CSearchResultsPanel;
struct HitLocation;
class CObjectFrameWnd;
class CMovieObjectsPanel;
class CMoviePreviewPanel;
class CMoviePropertiesPanel;
class MessageSink;
class ProgramLauncher;
class RecentFilesMenu;
class ShellPrompts;

/// Where the frame finds the user and the system.
struct FrameServices {
  MessageSink& messages;
  ShellPrompts& prompts;
  ProgramLauncher& launcher;
  std::string configFolder;  // the settings file and the docking layout
  std::string tempFolder;    // temporary object files and the projector's candidate copy
};

/// Also the editor of the loaded movie's action blocks for the action windows: a replaced
/// block changes the movie in memory, which is scanned again, until File Save writes it.
class CMainFrame : public QMainWindow, private ActionBlockEditor {
  Q_OBJECT

 public:
  explicit CMainFrame(const FrameServices& services, QWidget* parent = nullptr);
  ~CMainFrame() override;

  /// The file named on the command line, opened when the start-up timer fires.
  void setPendingPath(std::string path) { m_pendingPath = std::move(path); }
  /// What the start-up timer does: load the settings, then open the pending file.
  void startUp();

  /// Open movie: closes the object windows; a path ending in ".exe" goes through the
  /// projector dialog first.
  void openMovie(const std::string& path);
  /// Scans the current path and refreshes the panels.
  void scan();
  /// Opens or activates the window of an object ("ChangeView").
  void changeView(int kind, int id);
  /// Saves the docking layout and the settings file.
  void shutDown();

  QAction* command(int id) const;
  bool movieLoaded() const { return m_movieLoaded; }
  /// Blocks were replaced in the loaded movie since it was last read or saved.
  bool movieModified() const { return m_modified; }
  /// The uncompressed movie as it is loaded, with the replaced blocks.
  const std::vector<std::uint8_t>& movieImage() const { return m_walker.movie().bytes(); }
  const std::string& currentPath() const { return m_currentPath; }
  const std::string& statusTitle() const { return m_statusTitle; }
  const ScanResult& scanResult() const { return m_result; }
  AppSettings& settings() { return m_settings; }
  QLineEdit* currentFileField() const { return m_currentFile; }
  CMovieObjectsPanel* objectsPanel() const { return m_objectsPanel; }
  CMoviePropertiesPanel* propertiesPanel() const { return m_propertiesPanel; }
  CMoviePreviewPanel* previewPanel() const { return m_previewPanel; }
  CSearchResultsPanel* searchPanel() const { return m_searchPanel; }
  CFileChangedBar* fileChangedBar() const { return m_fileChangedBar; }
  QDockWidget* dock(int commandId) const;
  QMdiArea* mdiArea() const { return m_mdi; }
  RecentFilesMenu* recentFiles() const { return m_recentFiles; }
  /// The object window that has the focus, if any.
  CObjectFrameWnd* activeObjectWindow() const;
  /// The action window that has the focus, if any.
  CActionFrameWnd* activeActionWindow() const;
  std::string settingsPath() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  /// A dragged movie or projector (one local file) may be dropped; it opens like File Open.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildCommands();
  void buildMenus();
  void buildBars();
  void buildPanels();
  void restoreLayout();
  void connectCommands();
  void updateCommandStates();

  /// Scans the movie file, or `edited`, the loaded movie with replaced blocks (stored as
  /// the loaded one is).
  void scanMovie(std::optional<std::vector<std::uint8_t>> edited);
  [[nodiscard]] bool checkActions(const MovieObject& object, std::string_view text,
                                  AssemblyError& error) const override;
  [[nodiscard]] bool applyActions(const MovieObject& object, std::string_view text, AssemblyError& error) override;
  /// An object window as a new scan is to show it again.
  struct WindowPlace {
    std::pair<int, int> key;  // kind and serial
    QRect geometry;
    std::optional<TranslationMode> mode;  // of an action window
    bool editing = false;
  };
  /// The open windows in the order they were activated, the action window of `edited`
  /// last and in its Edit mode.
  std::vector<WindowPlace> windowPlaces(const MovieObject& edited) const;
  /// Opens the windows again over the new scan, where they were and in their modes.
  void reopenWindows(const std::vector<WindowPlace>& windows);
  /// Before the loaded movie is given up or its file rewritten: the action windows leave
  /// their Edit mode and unsaved blocks are saved or dropped, as the user answers; a
  /// dropped movie is read from its file again when `reloadOnDiscard`. False: stop.
  [[nodiscard]] bool settleChanges(bool reloadOnDiscard);
  /// Asks whether to save the unsaved blocks and saves them for Keep (Cancel when that
  /// fails); Keep when there is nothing to save.
  ChangesAnswer askToSaveChanges();
  /// Writes the edited movie over its file. False (message shown) when it could not.
  [[nodiscard]] bool saveMovie();
  void markSaved();
  void updateModifiedState();
  /// The file the preview plays: the movie file, or a copy of the edited movie.
  std::string previewMoviePath() const;

  void setCurrentPath(const std::string& path);
  /// Opens an entry of the recent-file list; one whose file is gone leaves the list.
  void openRecentFile(const std::string& path);
  /// "Orvane", followed by the active object window's name while there is one.
  void updateTitle();
  void reportStatus(ScanStatus status);
  void refreshPanels();
  void refreshPreview();
  void closeAllChildWindows();
  const MovieObject* findViewObject(int kind, int id) const;
  /// The window of `object`; an action window shows `mode`, or without one the default
  /// translation mode.
  CObjectFrameWnd* createObjectWindow(int kind, const MovieObject& object,
                                      std::optional<TranslationMode> mode = std::nullopt);
  /// Activates the window kept under `key`, or adds the one `create` makes (none: nothing).
  QMdiSubWindow* activateOrOpen(std::pair<int, int> key, const std::function<CObjectFrameWnd*()>& create);
  /// Opens or activates the "Frame" window of the frame item `id` at that frame.
  void showFrame(int id);
  /// The drawings of the scanned movie's assets, made when a window first needs them.
  MovieArtwork& artwork();

  void browseForMovie();
  void saveAs();
  void previewInBrowser();
  void editMovieProperties();
  void rescan();
  void editOptions();
  void editSyntaxColours();
  void copyScript();
  void findInMovie();
  /// Opens the window of a search hit at its line, with the match selected.
  void showHit(const HitLocation& location);
  void extractObject();
  void extractAll();
  void replaceImage();
  void showHelp();
  void showAbout();

  MessageSink& m_messages;
  ShellPrompts& m_prompts;
  ProgramLauncher& m_launcher;
  std::string m_configFolder;
  std::string m_tempFolder;

  std::unique_ptr<ObjectFileWriter> m_writer;
  TagWalker m_walker;
  ScanResult m_result;
  std::unique_ptr<MovieArtwork> m_artwork;  // of the current scan; dropped by the next
  std::string m_currentPath;
  std::string m_pendingPath;
  bool m_movieLoaded = false;
  bool m_modified = false;
  AppSettings m_settings;
  std::string m_statusTitle;
  bool m_shutDown = false;

  QMdiArea* m_mdi;
  std::map<int, QAction*> m_commands;
  QToolBar* m_mainToolbar = nullptr;
  QToolBar* m_windowsToolbar = nullptr;
  QLineEdit* m_currentFile = nullptr;
  QLabel* m_compressionPane = nullptr;  // the status bar's note on how the file is stored
  QLabel* m_modifiedPane = nullptr;     // "Modified" while replaced blocks are not saved
  RecentFilesMenu* m_recentFiles = nullptr;
  CMovieObjectsPanel* m_objectsPanel = nullptr;
  CMoviePropertiesPanel* m_propertiesPanel = nullptr;
  CMoviePreviewPanel* m_previewPanel = nullptr;
  CSearchResultsPanel* m_searchPanel = nullptr;
  CFileChangedBar* m_fileChangedBar = nullptr;
  std::map<int, QDockWidget*> m_docks;                                     // by the command that shows them
  std::map<std::pair<int, int>, QPointer<QMdiSubWindow>> m_objectWindows;  // by kind and serial
};

}  // namespace orvane
