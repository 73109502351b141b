#include "shell/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDialog>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <filesystem>

#include "abc/AbcObjects.h"
#include "movie/AssetObjects.h"
#include "movie/AssetTree.h"
#include "movie/MoviePanels.h"
#include "movie/MovieRewriter.h"
#include "objects/ActionReplacement.h"
#include "objects/ExtractionRun.h"
#include "objects/MovieArtwork.h"
#include "objects/ObjectFileWriters.h"
#include "objects/PreviewPage.h"
#include "platform/ConfigFolder.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"
#include "shell/AssetWindows.h"
#include "shell/CActionFrameWnd.h"
#include "shell/CAssetFrameWnd.h"
#include "shell/CAudioFrameWnd.h"
#include "shell/CFileChangedBar.h"
#include "shell/CImageFrameWnd.h"
#include "shell/CMoviePreviewPanel.h"
#include "shell/CSearchResultsPanel.h"
#include "usage/Version.h"
#include "shell/Commands.h"
#include "shell/LockIndicators.h"
#include "shell/MoviePanelWidgets.h"
#include "shell/RecentFilesMenu.h"
#include "shell/ShellPrompts.h"

// The resources live in a static library: register them explicitly (outside any namespace).
static void initShellResources() { Q_INIT_RESOURCE(shell); }

namespace orvane {

namespace {

constexpr const char* kLayoutKey = "BarState2";
constexpr const char* kLayoutFileName = "layout.ini";
constexpr int kStartTimerMs = 100;
/// The copy of an edited movie that the preview plays, in the temp folder.
constexpr const char* kEditedPreviewName = "orvnEDIT.swf";

QIcon commandIcon(int id, const QStyle* style) {
  switch (id) {
    case cmd::kOpen:
      return style->standardIcon(QStyle::SP_DialogOpenButton);
    case cmd::kSaveAs:
      return style->standardIcon(QStyle::SP_DialogSaveButton);
    case cmd::kRescan:
      return style->standardIcon(QStyle::SP_BrowserReload);
    case cmd::kPreviewInBrowser:
      return style->standardIcon(QStyle::SP_DesktopIcon);
    case cmd::kExtractAll:
      return style->standardIcon(QStyle::SP_DirIcon);
    case cmd::kAbout:
      return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case cmd::kMovieObjects:
      return style->standardIcon(QStyle::SP_FileDialogListView);
    case cmd::kMovieProperties:
      return style->standardIcon(QStyle::SP_FileDialogInfoView);
    case cmd::kMoviePreview:
      return style->standardIcon(QStyle::SP_MediaPlay);
    case cmd::kCloseAllChildren:
      return style->standardIcon(QStyle::SP_DialogCloseButton);
    case cmd::kMaximizeChild:
      return style->standardIcon(QStyle::SP_TitleBarMaxButton);
    default:
      return {};
  }
}

/// The time between two frames of a movie played at `frameRate` frames per second; a rate of
/// 0 plays one frame a second.
int frameIntervalMs(std::uint32_t frameRate) { return frameRate == 0 ? 1000 : static_cast<int>(1000 / frameRate); }

/// The one local file of a drag, if it carries exactly one.
std::optional<std::string> droppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
    return std::nullopt;
  }
  return data->urls().front().toLocalFile().toStdString();
}

/// The modeless window shown while a scan runs.
class WaitWindow : public QDialog {
 public:
  explicit WaitWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Orvane"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Scanning File...  Please Wait"), this));
    setModal(false);
    show();
    // Paint it before the scan blocks the event loop.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
};

}  // namespace

CMainFrame::CMainFrame(const FrameServices& services, QWidget* parent)
    : QMainWindow(parent),
      m_messages(services.messages),
      m_prompts(services.prompts),
      m_launcher(services.launcher),
      m_configFolder(services.configFolder),
      m_tempFolder(services.tempFolder),
      m_writer(std::make_unique<ObjectFileWriters>()),
      m_walker(*m_writer, m_messages),
      m_mdi(new QMdiArea(this)),
      m_fileChangedBar(new CFileChangedBar(this)) {
  initShellResources();
  setWindowTitle(QStringLiteral("Orvane"));
  setWindowIcon(QIcon(QStringLiteral(":/orvane/orvane.svg")));
  m_walker.setTempFolder(m_tempFolder);
  m_walker.setResult(&m_result);
  m_result.setMessageSink(&m_messages);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_fileChangedBar);
  layout->addWidget(m_mdi, 1);
  setCentralWidget(central);
  setAcceptDrops(true);
  connect(m_fileChangedBar, &CFileChangedBar::reloadRequested, this, &CMainFrame::rescan);
  buildCommands();
  buildBars();
  buildPanels();
  buildMenus();
  connectCommands();
  restoreLayout();
  refreshPanels();
  connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::updateCommandStates);
  connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::updateTitle);
  updateCommandStates();
  QTimer::singleShot(kStartTimerMs, this, &CMainFrame::startUp);
}

CMainFrame::~CMainFrame() {
  // The search and the object windows read the scan result: they go first.
  m_searchPanel->stop();
  for (QMdiSubWindow* window : m_mdi->subWindowList()) delete window;
}

void CMainFrame::buildCommands() {
  for (const CommandEntry& entry : frameCommands()) {
    auto* action = new QAction(commandIcon(entry.id, style()), QString::fromLatin1(entry.label), this);
    if (*entry.shortcut != '\0') action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    action->setStatusTip(QString::fromLatin1(entry.statusText));
    m_commands[entry.id] = action;
  }
  for (const int id : {cmd::kToolbar, cmd::kStatusBar, cmd::kMovieObjects, cmd::kMovieProperties, cmd::kMoviePreview}) {
    m_commands.at(id)->setCheckable(true);
    m_commands.at(id)->setChecked(true);
  }
  m_commands.at(cmd::kSearchResults)->setCheckable(true);
}

QAction* CMainFrame::command(int id) const {
  const auto found = m_commands.find(id);
  return found == m_commands.end() ? nullptr : found->second;
}

void CMainFrame::buildMenus() {
  const auto fill = [this](const QString& title, std::initializer_list<int> ids) {
    QMenu* menu = menuBar()->addMenu(title);
    for (const int id : ids) {
      if (id == 0) {
        menu->addSeparator();
      } else {
        menu->addAction(m_commands.at(id));
      }
    }
    return menu;
  };
  QMenu* file = fill(tr("&File"), {cmd::kOpen, cmd::kSave, cmd::kSaveAs, 0, cmd::kPreviewInBrowser, 0, cmd::kExit});
  m_recentFiles = new RecentFilesMenu(file, m_commands.at(cmd::kExit), this);
  connect(m_recentFiles, &RecentFilesMenu::fileChosen, this, &CMainFrame::openRecentFile);
  fill(tr("&Edit"), {cmd::kCopy, 0, cmd::kFind, cmd::kFindNext, cmd::kFindPrevious, 0, cmd::kFindInMovie});
  fill(tr("&Movie"), {cmd::kExtractObject, cmd::kExtractAll, cmd::kReplaceImage, 0, cmd::kEditMovieProperties,
                      cmd::kRescan, 0, cmd::kOptions});
  fill(tr("&View"), {cmd::kToolbar, cmd::kStatusBar, 0, cmd::kMovieObjects, cmd::kMovieProperties, cmd::kMoviePreview,
                     cmd::kSearchResults});
  fill(tr("&Window"), {cmd::kTile, cmd::kCascade, cmd::kMaximizeChild, cmd::kCloseAllChildren});
  fill(tr("&Help"), {cmd::kHelpTopics, cmd::kAbout});
}

void CMainFrame::buildBars() {
  m_mainToolbar = addToolBar(tr("Standard"));
  m_mainToolbar->setObjectName(QStringLiteral("mainToolbar"));
  for (const int id :
       {cmd::kOpen, cmd::kSaveAs, cmd::kRescan, 0, cmd::kPreviewInBrowser, 0, cmd::kExtractAll, 0, cmd::kAbout}) {
    if (id == 0) {
      m_mainToolbar->addSeparator();
    } else {
      m_mainToolbar->addAction(m_commands.at(id));
    }
  }
  m_windowsToolbar = addToolBar(tr("Windows"));
  m_windowsToolbar->setObjectName(QStringLiteral("windowsToolbar"));
  m_windowsToolbar->addWidget(new QLabel(QStringLiteral("Windows :"), m_windowsToolbar));
  for (const int id : {cmd::kMovieObjects, cmd::kMovieProperties, cmd::kMoviePreview, 0, cmd::kCloseAllChildren,
                       cmd::kMaximizeChild}) {
    if (id == 0) {
      m_windowsToolbar->addSeparator();
    } else {
      m_windowsToolbar->addAction(m_commands.at(id));
    }
  }

  addToolBarBreak();
  QToolBar* fileBar = addToolBar(tr("Current File"));
  fileBar->setObjectName(QStringLiteral("currentFileBar"));
  fileBar->addWidget(new QLabel(QStringLiteral("Current File :"), fileBar));
  m_currentFile = new QLineEdit(fileBar);
  m_currentFile->setReadOnly(true);
  m_currentFile->setObjectName(QStringLiteral("currentFile"));
  fileBar->addWidget(m_currentFile);
  auto* browse = new QPushButton(QStringLiteral("Browse"), fileBar);
  connect(browse, &QPushButton::clicked, this, &CMainFrame::browseForMovie);
  fileBar->addWidget(browse);

  m_compressionPane = new QLabel(statusBar());
  m_compressionPane->setObjectName(QStringLiteral("compressionPane"));
  statusBar()->addPermanentWidget(m_compressionPane);
  m_modifiedPane = new QLabel(statusBar());
  m_modifiedPane->setObjectName(QStringLiteral("modifiedPane"));
  statusBar()->addPermanentWidget(m_modifiedPane);
  statusBar()->addPermanentWidget(new LockIndicators(platformLockKeys(), statusBar()));
}

void CMainFrame::buildPanels() {
  m_objectsPanel = new CMovieObjectsPanel(this);
  m_previewPanel = new CMoviePreviewPanel(this);
  m_propertiesPanel = new CMoviePropertiesPanel(this);
  m_searchPanel = new CSearchResultsPanel(this);
  const auto addDock = [this](int id, const QString& title, const char* name, QWidget* panel, Qt::DockWidgetArea area) {
    auto* dock = new QDockWidget(title, this);
    dock->setObjectName(QString::fromLatin1(name));
    dock->setWidget(panel);
    dock->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(area, dock);
    m_docks[id] = dock;
    QAction* toggle = m_commands.at(id);
    connect(toggle, &QAction::triggered, dock, &QDockWidget::setVisible);
    connect(dock, &QDockWidget::visibilityChanged, this, [toggle, dock] { toggle->setChecked(!dock->isHidden()); });
  };
  addDock(cmd::kMovieProperties, QStringLiteral("Movie Properties"), "MovieProperties", m_propertiesPanel,
          Qt::RightDockWidgetArea);
  addDock(cmd::kMovieObjects, QStringLiteral("Movie Objects"), "MovieObjects", m_objectsPanel, Qt::LeftDockWidgetArea);
  addDock(cmd::kMoviePreview, QStringLiteral("Movie Preview"), "MoviePreview", m_previewPanel, Qt::RightDockWidgetArea);
  addDock(cmd::kSearchResults, QStringLiteral("Search Results"), "SearchResults", m_searchPanel,
          Qt::BottomDockWidgetArea);
  // Shown by Find in Movie.
  m_docks.at(cmd::kSearchResults)->hide();
  connect(m_searchPanel, &CSearchResultsPanel::hitActivated, this, &CMainFrame::showHit);
  connect(m_objectsPanel, &CMovieObjectsPanel::changeView, this, &CMainFrame::changeView);
  connect(m_commands.at(cmd::kMoviePreview), &QAction::triggered, this, &CMainFrame::refreshPreview);
  connect(m_propertiesPanel, &CMoviePropertiesPanel::editPropertiesRequested, this, &CMainFrame::editMovieProperties);
}

QDockWidget* CMainFrame::dock(int commandId) const {
  const auto found = m_docks.find(commandId);
  return found == m_docks.end() ? nullptr : found->second;
}

void CMainFrame::restoreLayout() {
  const QSettings layout(QString::fromStdString(m_configFolder + "/" + kLayoutFileName), QSettings::IniFormat);
  m_recentFiles->load(layout);
  const QByteArray state = layout.value(QString::fromLatin1(kLayoutKey)).toByteArray();
  if (state.isEmpty() || !restoreState(state)) return;
  // The check marks follow what the layout shows.
  for (const auto& [id, dock] : m_docks) m_commands.at(id)->setChecked(!dock->isHidden());
  m_commands.at(cmd::kToolbar)->setChecked(!m_mainToolbar->isHidden());
}

void CMainFrame::connectCommands() {
  const auto on = [this](int id, void (CMainFrame::*handler)()) {
    connect(m_commands.at(id), &QAction::triggered, this, handler);
  };
  on(cmd::kOpen, &CMainFrame::browseForMovie);
  connect(m_commands.at(cmd::kSave), &QAction::triggered, this, [this] { static_cast<void>(saveMovie()); });
  on(cmd::kSaveAs, &CMainFrame::saveAs);
  on(cmd::kPreviewInBrowser, &CMainFrame::previewInBrowser);
  on(cmd::kEditMovieProperties, &CMainFrame::editMovieProperties);
  on(cmd::kRescan, &CMainFrame::rescan);
  on(cmd::kOptions, &CMainFrame::editOptions);
  on(cmd::kCopy, &CMainFrame::copyScript);
  on(cmd::kFindInMovie, &CMainFrame::findInMovie);
  for (const int id : {cmd::kFind, cmd::kFindNext, cmd::kFindPrevious}) {
    connect(m_commands.at(id), &QAction::triggered, this, [this, id] {
      if (CActionFrameWnd* frame = activeActionWindow()) frame->runCommand(id);
    });
  }
  on(cmd::kExtractObject, &CMainFrame::extractObject);
  on(cmd::kExtractAll, &CMainFrame::extractAll);
  on(cmd::kReplaceImage, &CMainFrame::replaceImage);
  on(cmd::kHelpTopics, &CMainFrame::showHelp);
  on(cmd::kAbout, &CMainFrame::showAbout);
  on(cmd::kCloseAllChildren, &CMainFrame::closeAllChildWindows);
  connect(m_commands.at(cmd::kExit), &QAction::triggered, this, &QWidget::close);
  connect(m_commands.at(cmd::kTile), &QAction::triggered, m_mdi, &QMdiArea::tileSubWindows);
  connect(m_commands.at(cmd::kCascade), &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
  connect(m_commands.at(cmd::kMaximizeChild), &QAction::triggered, this, [this] {
    if (QMdiSubWindow* active = m_mdi->activeSubWindow()) active->showMaximized();
  });
  connect(m_commands.at(cmd::kToolbar), &QAction::toggled, this, [this](bool shown) {
    m_mainToolbar->setVisible(shown);
    m_windowsToolbar->setVisible(shown);
  });
  connect(m_commands.at(cmd::kStatusBar), &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void CMainFrame::updateCommandStates() {
  const bool objectWindow = m_mdi->activeSubWindow() != nullptr;
  for (const CommandEntry& entry : frameCommands()) {
    bool enabled = true;
    switch (entry.rule) {
      case EnableRule::Always:
        break;
      case EnableRule::MovieLoaded:
        enabled = m_movieLoaded;
        break;
      case EnableRule::ObjectWindowActive:
        enabled = objectWindow;
        break;
      case EnableRule::ImageWindowActive:
        enabled = dynamic_cast<CImageFrameWnd*>(activeObjectWindow()) != nullptr;
        break;
      case EnableRule::ActionWindowActive:
        enabled = activeActionWindow() != nullptr;
        break;
      case EnableRule::MovieModified:
        enabled = m_movieLoaded && m_modified;
        break;
    }
    m_commands.at(entry.id)->setEnabled(enabled);
  }
}

void CMainFrame::startUp() {
  static_cast<void>(m_settings.LoadSettings(settingsPath()));
  if (!m_pendingPath.empty()) openMovie(m_pendingPath);
}

std::string CMainFrame::settingsPath() const { return m_configFolder + "/" + kSettingsFileName; }

void CMainFrame::setCurrentPath(const std::string& path) {
  m_currentPath = path;
  m_currentFile->setText(QString::fromStdString(path));
}

void CMainFrame::openMovie(const std::string& path) {
  if (!settleChanges(false)) return;
  closeAllChildWindows();
  setCurrentPath(path);
  if (path.ends_with(".exe")) {
    const std::optional<std::string> movie = m_prompts.projectorMovie(this, path, m_tempFolder);
    if (!movie) {
      setCurrentPath("");
      return;
    }
    setCurrentPath(*movie);
  }
  scan();
  if (m_movieLoaded) m_recentFiles->add(path);
}

void CMainFrame::openRecentFile(const std::string& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    openMovie(path);
    return;
  }
  m_recentFiles->remove(path);
  m_messages.show({"", "Error : The File " + path + " no longer exists, it was removed from the Recent File List",
                   MessageIcon::Error});
}

void CMainFrame::updateTitle() {
  const QMdiSubWindow* active = m_mdi->activeSubWindow();
  // The form a maximised child gives the title too, so that both agree.
  setWindowTitle(active == nullptr ? QStringLiteral("Orvane")
                                   : QStringLiteral("Orvane - [%1]").arg(active->windowTitle()));
}

void CMainFrame::scan() { scanMovie(std::nullopt); }

void CMainFrame::scanMovie(std::optional<std::vector<std::uint8_t>> edited) {
  // The search and the object windows read the result that is about to be cleared.
  m_searchPanel->setScanResult(nullptr);
  closeAllChildWindows();
  m_artwork.reset();
  const MovieCompression compression = m_result.compression;
  m_result.clear();
  m_movieLoaded = true;
  m_modified = edited.has_value();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ScanStatus status = edited ? m_walker.openBytes(std::move(*edited), m_currentPath, compression)
                             : m_walker.open(m_currentPath);
  if (status == ScanStatus::Success) {
    m_walker.copyHeaderInto(m_result);
    const WaitWindow wait(this);
    status = m_walker.scan(m_settings.options.scanFlags);
    collectAbcObjects(m_result);
    numberAssetObjects(m_result);
  }
  reportStatus(status);
  if (status != ScanStatus::Success) m_movieLoaded = m_modified = false;
  // The file itself is still the one read last; a change to it since then is still news.
  if (!m_modified) m_fileChangedBar->watch(m_movieLoaded ? m_currentPath : std::string());
  if (m_movieLoaded) m_searchPanel->setScanResult(&m_result);
  QApplication::restoreOverrideCursor();
  refreshPanels();
  updateModifiedState();
}

void CMainFrame::reportStatus(ScanStatus status) {
  m_statusTitle = orvane::statusTitle(status);
  statusBar()->showMessage(QString::fromStdString(m_statusTitle));
  if (status == ScanStatus::Success) return;
  m_messages.show({m_statusTitle, statusText(status, m_walker.errorText()), MessageIcon::Error});
}

void CMainFrame::refreshPanels() {
  const ScanOptions& options = m_settings.options;
  m_objectsPanel->refill(&m_result, options.showAdvancedDetails != 0, options.showEmptyMovieObjects != 0);
  refreshPreview();
  m_propertiesPanel->refill(&m_result);
  m_compressionPane->setText(QString::fromStdString(compressionNote(m_result.compression)));
}

void CMainFrame::refreshPreview() {
  if (m_movieLoaded) {
    m_previewPanel->load(previewMoviePath(), frameIntervalMs(m_result.frameRate));
  } else {
    m_previewPanel->clear();
  }
}

const MovieObject* CMainFrame::findViewObject(int kind, int id) const {
  const auto serial = static_cast<std::uint32_t>(id);
  switch (kind) {
    case viewkind::kAction:
      return m_result.findAction(serial, true);
    case viewkind::kImage:
      return m_result.findImage(serial, true);
    case viewkind::kSound:
      return m_result.findSound(serial, true);
    case viewkind::kButton:
      return m_result.findButton(serial, true);
    case viewkind::kInstance:
      return m_result.findInstance(serial, true);
    case viewkind::kAbc:
      return m_result.findAbcObject(serial, true);
    case viewkind::kShape:
    case viewkind::kMorphShape:
    case viewkind::kFont:
    case viewkind::kText:
      return assetOfItem(m_result, kind, id);
    default:
      return nullptr;  // 262 and unknown kinds open nothing
  }
}

CObjectFrameWnd* CMainFrame::createObjectWindow(int kind, const MovieObject& object,
                                                std::optional<TranslationMode> mode) {
  const std::string title = object.describe(m_settings.options.showAdvancedDetails != 0);
  switch (kind) {
    case viewkind::kImage: {
      auto* window = new CImageFrameWnd(static_cast<const ImageObject*>(&object), title, m_currentPath, &m_result,
                                        m_messages, m_prompts);
      window->setRewriteGuard([this] {
        const ChangesAnswer answer = askToSaveChanges();
        // Queued like the rescan after a replacement: it closes the window that asks.
        if (answer == ChangesAnswer::Discard) QTimer::singleShot(0, this, &CMainFrame::scan);
        return answer == ChangesAnswer::Keep;
      });
      // Queued: the rescan closes the image window that asked for it.
      connect(window, &CImageFrameWnd::rescanRequested, this, &CMainFrame::rescan, Qt::QueuedConnection);
      return window;
    }
    case viewkind::kSound:
      return new CAudioFrameWnd(static_cast<const SoundObject*>(&object), title, m_messages, m_prompts, m_launcher);
    case viewkind::kShape:
    case viewkind::kMorphShape:
    case viewkind::kFont:
    case viewkind::kText:
      return createAssetWindow(kind, static_cast<const AssetObject&>(object), title, artwork(), m_messages, m_prompts);
    default: {
      auto* window = new CActionFrameWnd(&object, title, m_result.version, m_settings.colours, m_messages, m_prompts);
      connect(window, &CActionFrameWnd::syntaxColorsRequested, this, &CMainFrame::editSyntaxColours);
      window->enableEditing(*this);
      if (mode) {
        window->selectMode(*mode);
      } else if (const int modeCommand = modeCommandFor(m_settings.options.defaultTranslationMode, m_result.version,
                                                 kind == viewkind::kAbc)) {
        window->runCommand(modeCommand);
      }
      return window;
    }
  }
}

void CMainFrame::changeView(int kind, int id) {
  if (kind == viewkind::kFrame) {
    showFrame(id);
    return;
  }
  const MovieObject* object = findViewObject(kind, id);
  if (object == nullptr) return;
  activateOrOpen({kind, id}, [&] { return createObjectWindow(kind, *object); });
}

void CMainFrame::showFrame(int id) {
  const std::optional<FrameReference> frame = frameOfItem(m_result, id);
  if (!frame) return;
  // One window per timeline, kept under its first frame's id; its slider shows the frame asked for.
  const TimelineNode& timeline = *frame->timeline;
  QMdiSubWindow* window = activateOrOpen({viewkind::kFrame, frameItemId(m_result, timeline, 0)}, [&] {
    const std::string title = "Frames Of " + timeline.displayName(m_settings.options.showAdvancedDetails != 0);
    return createFrameWindow(timeline, title, artwork(), m_messages, m_prompts);
  });
  if (auto* frames = window == nullptr ? nullptr : qobject_cast<CAssetFrameWnd*>(window->widget())) {
    frames->showPosition(frame->frame);
  }
}

QMdiSubWindow* CMainFrame::activateOrOpen(std::pair<int, int> key, const std::function<CObjectFrameWnd*()>& create) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QMdiSubWindow* window = nullptr;
  if (const auto open = m_objectWindows.find(key); open != m_objectWindows.end() && open->second) {
    window = open->second;
    m_mdi->setActiveSubWindow(window);
  } else if (CObjectFrameWnd* content = create()) {
    window = m_mdi->addSubWindow(content);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(windowIcon());
    window->resize(640, 420);
    m_objectWindows[key] = window;
    window->show();
  }
  QApplication::restoreOverrideCursor();
  updateCommandStates();
  return window;
}

MovieArtwork& CMainFrame::artwork() {
  if (!m_artwork) {
    m_artwork = std::make_unique<MovieArtwork>(m_result, PreservationSource::of(m_walker.movie()), m_tempFolder);
  }
  return *m_artwork;
}

CObjectFrameWnd* CMainFrame::activeObjectWindow() const {
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  return active == nullptr ? nullptr : dynamic_cast<CObjectFrameWnd*>(active->widget());
}

CActionFrameWnd* CMainFrame::activeActionWindow() const {
  return dynamic_cast<CActionFrameWnd*>(activeObjectWindow());
}

void CMainFrame::closeAllChildWindows() {
  for (QMdiSubWindow* window : m_mdi->subWindowList()) delete window;
  m_objectWindows.clear();
  updateCommandStates();
}

void CMainFrame::browseForMovie() {
  if (const std::optional<std::string> path = m_prompts.openPath(this)) openMovie(*path);
}

void CMainFrame::saveAs() {
  if (!m_movieLoaded) return;
  const std::optional<std::string> name = m_prompts.savePath(this, QStringLiteral("SWF Files (.swf) (*.swf)"), "");
  if (!name) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!m_modified) {
    static_cast<void>(saveMovieAs(m_currentPath, *name, m_messages));
  } else if (const auto saved =
                 saveMovieImageAs(movieImage(), m_result.compression, m_currentPath, *name, m_messages)) {
    // The movie's own file holds the edits now; another file is a copy.
    if (saved->ontoCurrent) markSaved();
  }
  QApplication::restoreOverrideCursor();
}

bool CMainFrame::saveMovie() {
  if (!m_movieLoaded || !m_modified) return true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool written = writeMovieImage(m_currentPath, movieImage(), m_result.compression);
  QApplication::restoreOverrideCursor();
  if (!written) {
    m_messages.show({"", kSaveFailed, MessageIcon::Error});
    return false;
  }
  markSaved();
  return true;
}

void CMainFrame::markSaved() {
  m_modified = false;
  m_fileChangedBar->watch(m_currentPath);
  updateModifiedState();
}

void CMainFrame::updateModifiedState() {
  m_modifiedPane->setText(m_modified ? QStringLiteral("Modified") : QString());
  updateCommandStates();
}

std::string CMainFrame::previewMoviePath() const {
  if (!m_modified) return m_currentPath;
  const std::string copy = m_tempFolder + "/" + kEditedPreviewName;
  return writeFileAtomically(copy, movieImage()) ? copy : m_currentPath;
}

ChangesAnswer CMainFrame::askToSaveChanges() {
  if (!m_modified) return ChangesAnswer::Keep;
  const ChangesAnswer answer = m_prompts.askAboutChanges(
      this, QStringLiteral("The movie has changes that are not saved. Save them?"), QStringLiteral("Save"));
  return answer == ChangesAnswer::Keep && !saveMovie() ? ChangesAnswer::Cancel : answer;
}

bool CMainFrame::settleChanges(bool reloadOnDiscard) {
  std::vector<QPointer<CActionFrameWnd>> windows;
  for (QMdiSubWindow* window : m_mdi->subWindowList()) {
    if (auto* action = qobject_cast<CActionFrameWnd*>(window->widget())) windows.emplace_back(action);
  }
  // An apply scans the movie again and replaces the windows: the old ones are gone or done.
  for (const QPointer<CActionFrameWnd>& window : windows) {
    if (window && !window->leaveEditing()) return false;
  }
  const ChangesAnswer answer = askToSaveChanges();
  if (answer == ChangesAnswer::Cancel) return false;
  if (answer == ChangesAnswer::Discard) {
    m_modified = false;
    if (reloadOnDiscard) scan();
  }
  return true;
}

bool CMainFrame::checkActions(const MovieObject& object, std::string_view text, AssemblyError& error) const {
  std::vector<std::uint8_t> body;
  return rebuildActionBody(movieImage(), m_result, object, text, body, error);
}

bool CMainFrame::applyActions(const MovieObject& object, std::string_view text, AssemblyError& error) {
  std::vector<std::uint8_t> edited;
  if (!replaceActionsInImage(movieImage(), m_result, object, text, edited, error)) return false;
  const std::vector<WindowPlace> places = windowPlaces(object);
  // The asking window is still running its apply: it leaves the area now and goes later.
  for (auto open = m_objectWindows.begin(); open != m_objectWindows.end(); ++open) {
    QMdiSubWindow* window = open->second;
    const auto* action = window == nullptr ? nullptr : qobject_cast<CActionFrameWnd*>(window->widget());
    if (action == nullptr || action->object() != &object) continue;
    m_mdi->removeSubWindow(window);
    window->hide();
    window->deleteLater();
    m_objectWindows.erase(open);
    break;
  }
  scanMovie(std::move(edited));
  reopenWindows(places);
  return true;
}

std::vector<CMainFrame::WindowPlace> CMainFrame::windowPlaces(const MovieObject& edited) const {
  std::map<const QMdiSubWindow*, std::pair<int, int>> keys;
  for (const auto& [key, window] : m_objectWindows) {
    if (window) keys[window.data()] = key;
  }
  std::vector<WindowPlace> places;
  std::optional<WindowPlace> editing;
  for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder)) {
    const auto key = keys.find(window);
    if (key == keys.end()) continue;
    WindowPlace place{key->second, window->geometry(), std::nullopt, false};
    if (const auto* action = qobject_cast<const CActionFrameWnd*>(window->widget())) {
      place.mode = action->mode();
      if (action->object() == &edited) {
        place.editing = true;
        editing = place;
        continue;
      }
    }
    places.push_back(place);
  }
  if (editing) places.push_back(*editing);
  return places;
}

void CMainFrame::reopenWindows(const std::vector<WindowPlace>& windows) {
  for (const WindowPlace& place : windows) {
    const auto [kind, id] = place.key;
    const MovieObject* object = place.mode ? findViewObject(kind, id) : nullptr;
    QMdiSubWindow* window = nullptr;
    if (object == nullptr) {
      changeView(kind, id);
      const auto open = m_objectWindows.find(place.key);
      if (open != m_objectWindows.end()) window = open->second;
    } else {
      // Straight into its mode: the default mode of a large block may take long to translate.
      window = activateOrOpen(place.key, [&, kind = kind] { return createObjectWindow(kind, *object, place.mode); });
    }
    if (window == nullptr) continue;
    window->setGeometry(place.geometry);
    auto* action = qobject_cast<CActionFrameWnd*>(window->widget());
    if (action != nullptr && place.editing) action->runCommand(cmd::kEditActions);
  }
}

void CMainFrame::previewInBrowser() {
  if (!m_movieLoaded) return;
  static_cast<void>(orvane::previewInBrowser(m_currentPath, m_result.width, m_result.height,
                                             previewPagePath(m_tempFolder), m_launcher, m_messages));
}

void CMainFrame::editMovieProperties() {
  // The properties are written into the movie file: it must hold the loaded movie.
  if (!m_movieLoaded || !settleChanges(true) || !m_movieLoaded) return;
  const std::optional<MovieProperties> properties = m_prompts.movieProperties(this, m_result);
  if (!properties) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool rewritten = orvane::editMovieProperties(m_currentPath, m_result, *properties, m_messages);
  QApplication::restoreOverrideCursor();
  if (rewritten) scan();
}

void CMainFrame::rescan() {
  if (m_movieLoaded && settleChanges(false)) scan();
}

void CMainFrame::editOptions() { static_cast<void>(m_prompts.editOptions(this, m_settings.options)); }

void CMainFrame::editSyntaxColours() {
  if (!m_prompts.editColours(this, m_settings.colours)) return;
  for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder)) {
    if (auto* frame = qobject_cast<CActionFrameWnd*>(window->widget())) frame->changeSynColor(m_settings.colours);
  }
}

void CMainFrame::copyScript() {
  if (CActionFrameWnd* frame = activeActionWindow()) frame->runCommand(cmd::kCopyScript);
}

void CMainFrame::findInMovie() {
  if (!m_movieLoaded) return;
  m_docks.at(cmd::kSearchResults)->show();
  m_docks.at(cmd::kSearchResults)->raise();
  m_searchPanel->focusPattern();
}

void CMainFrame::showHit(const HitLocation& location) {
  changeView(location.viewKind, location.serial);
  const auto open = m_objectWindows.find({location.viewKind, location.serial});
  if (open == m_objectWindows.end() || !open->second) return;
  if (auto* window = qobject_cast<CActionFrameWnd*>(open->second->widget())) {
    window->showMatch(location.mode, location.lineOffset, location.match);
  }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (droppedFile(event->mimeData())) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const std::optional<std::string> path = droppedFile(event->mimeData());
  if (!path) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the drag's source is not kept waiting through the scan.
  QTimer::singleShot(0, this, [this, file = *path] { openMovie(file); });
}

void CMainFrame::extractObject() {
  // The active object window saves its own object ("Save As File", "Save As JPEG").
  if (CObjectFrameWnd* window = activeObjectWindow()) window->runCommand(cmd::kExtractObject);
}

void CMainFrame::replaceImage() {
  if (auto* image = dynamic_cast<CImageFrameWnd*>(activeObjectWindow())) image->runCommand(cmd::kReplaceImage);
}

void CMainFrame::extractAll() {
  if (!m_movieLoaded) return;
  const std::optional<ExtractionSettings> settings = m_prompts.extractionSettings(this, m_tempFolder);
  if (!settings) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The run cannot be cancelled (it never stops early); the dialog only shows how far it is.
  QProgressDialog progress(QStringLiteral("Extracting Objects..."), QString(), 0, 0, this);
  progress.setWindowTitle(QStringLiteral("Extract All Objects"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  const std::string report =
      ExtractAllObjects(m_result, *settings, m_messages, [&progress](std::size_t done, std::size_t total) {
        progress.setMaximum(static_cast<int>(std::min<std::size_t>(total, INT_MAX)));
        progress.setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
      }, PreservationSource::of(m_walker.movie()), m_tempFolder);
  progress.reset();
  QApplication::restoreOverrideCursor();
  m_prompts.showExtractionReport(this, report);
}

void CMainFrame::showHelp() {
  auto* help = new QDialog(this);
  help->setAttribute(Qt::WA_DeleteOnClose);
  help->setWindowTitle(QStringLiteral("Orvane Help"));
  auto* layout = new QVBoxLayout(help);
  auto* browser = new QTextBrowser(help);
  browser->setSource(QUrl(QStringLiteral("qrc:/orvane/user-guide.html")));
  layout->addWidget(browser);
  help->resize(560, 420);
  help->show();
}

void CMainFrame::showAbout() {
  QMessageBox::about(this, QStringLiteral("About Orvane"),
                     QStringLiteral("Orvane %1\n\nInspects the actions, images and sounds of uncompressed Flash "
                                    "movies.")
                         .arg(QString::fromLatin1(kOrvaneVersion)));
}

void CMainFrame::shutDown() {
  if (m_shutDown) return;
  m_shutDown = true;
  if (!ensureConfigFolder(m_configFolder)) return;
  QSettings layout(QString::fromStdString(m_configFolder + "/" + kLayoutFileName), QSettings::IniFormat);
  layout.setValue(QString::fromLatin1(kLayoutKey), saveState());
  m_recentFiles->save(layout);
  layout.sync();
  // A settings file that cannot be written is silently not written.
  static_cast<void>(m_settings.SaveSettings(settingsPath()));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!m_shutDown && !settleChanges(false)) {
    event->ignore();
    return;
  }
  shutDown();
  QMainWindow::closeEvent(event);
}

}  // namespace orvane
