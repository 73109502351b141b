#include "shell/CActionFrameWnd.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "movie/MovieObject.h"
#include "platform/MessageSink.h"
#include "shell/ActionBlockEditor.h"
#include "shell/ActionTextFile.h"
#include "shell/CActionView.h"
#include "shell/CEditBar.h"
#include "shell/CFindBar.h"
#include "shell/Commands.h"
#include "shell/DisplayText.h"
#include "shell/ShellPrompts.h"

namespace orvane {

namespace {

std::optional<TranslationMode> modeOfCommand(int id) {
  switch (id) {
    case cmd::kByteCodeHex:
      return TranslationMode::ByteCodeHex;
    case cmd::kByteCodeCharacter:
      return TranslationMode::ByteCodeCharacter;
    case cmd::kByteCodeInteger:
      return TranslationMode::ByteCodeInteger;
    case cmd::kFunctionCode:
      return TranslationMode::FunctionCode;
    case cmd::kActionScript4:
      return TranslationMode::ActionScript4;
    case cmd::kActionScript5:
      return TranslationMode::ActionScript5;
    case cmd::kSource:
      return TranslationMode::Source;
    case cmd::kAssembly:
      return TranslationMode::Assembly;
    default:
      return std::nullopt;
  }
}

int commandOfMode(TranslationMode mode) {
  switch (mode) {
    case TranslationMode::ByteCodeHex:
      return cmd::kByteCodeHex;
    case TranslationMode::ByteCodeCharacter:
      return cmd::kByteCodeCharacter;
    case TranslationMode::ByteCodeInteger:
      return cmd::kByteCodeInteger;
    case TranslationMode::FunctionCode:
      return cmd::kFunctionCode;
    case TranslationMode::ActionScript4:
      return cmd::kActionScript4;
    case TranslationMode::ActionScript5:
      break;
    case TranslationMode::Source:
      return cmd::kSource;
    case TranslationMode::Assembly:
      return cmd::kAssembly;
  }
  return cmd::kActionScript5;
}

/// Texts up to this size are checked soon after each key; larger ones once typing pauses.
constexpr std::size_t kQuickCheckBytes = 16 * 1024;
constexpr int kQuickCheckMs = 250;
constexpr int kSlowCheckMs = 1000;

/// Short texts for the toolbar buttons; the menu keeps the full labels.
QString toolbarText(int id) {
  switch (id) {
    case cmd::kSaveAsFile:
      return QStringLiteral("Save");
    case cmd::kByteCodeHex:
      return QStringLiteral("Hex");
    case cmd::kByteCodeCharacter:
      return QStringLiteral("Chr");
    case cmd::kByteCodeInteger:
      return QStringLiteral("Int");
    case cmd::kFunctionCode:
      return QStringLiteral("Func");
    case cmd::kActionScript4:
      return QStringLiteral("AS4");
    case cmd::kActionScript5:
      return QStringLiteral("AS5");
    case cmd::kSource:
      return QStringLiteral("Source");
    case cmd::kAssembly:
      return QStringLiteral("Asm");
    case cmd::kSyntaxColors:
      return QStringLiteral("Colors");
    case cmd::kCopyScript:
      return QStringLiteral("Copy");
    case cmd::kEditActions:
      return QStringLiteral("Edit");
    case cmd::kApplyActions:
      return QStringLiteral("Apply");
    default:
      return {};
  }
}

}  // namespace

CActionFrameWnd::CActionFrameWnd(const MovieObject* object, const std::string& title, unsigned movieVersion,
                                 const SyntaxColours& colours, MessageSink& messages, ShellPrompts& prompts,
                                 QWidget* parent)
    : CObjectFrameWnd(parent),
      m_object(object),
      m_isAbc(dynamic_cast<const AbcObject*>(object) != nullptr),
      m_title(title),
      m_colours(colours),
      m_messages(messages),
      m_prompts(prompts),
      m_view(new CActionView(this)),
      m_findBar(new CFindBar(this)),
      m_contextMenu(new QMenu(QStringLiteral("ActionContext"), this)),
      m_checkTimer(new QTimer(this)) {
  buildCommands();
  m_editBar = new CEditBar(commandAction(cmd::kApplyActions), this);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_view, 1);
  layout->addWidget(m_findBar);
  layout->addWidget(m_editBar);
  setCentralWidget(central);
  setWindowTitle(displayString(m_title));
  statusBar();
  m_checkTimer->setSingleShot(true);
  connect(m_checkTimer, &QTimer::timeout, this, &CActionFrameWnd::checkText);
  connect(m_view, &QPlainTextEdit::textChanged, this, [this] {
    if (m_view->isEditing()) m_checkTimer->start(checkDelayMs(static_cast<std::size_t>(m_view->document()->characterCount())));
  });
  connect(m_view, &CActionView::contextMenuWanted, this, &CActionFrameWnd::showContextMenu);
  connect(m_view, &QPlainTextEdit::cursorPositionChanged, this, &CActionFrameWnd::updateCopyState);
  connect(m_view, &QPlainTextEdit::selectionChanged, this, &CActionFrameWnd::updateCopyState);
  connect(m_findBar, &CFindBar::queryChanged, this, &CActionFrameWnd::refind);
  connect(m_findBar, &CFindBar::nextRequested, this, [this] { step(1); });
  connect(m_findBar, &CFindBar::previousRequested, this, [this] { step(-1); });
  connect(m_findBar, &CFindBar::closed, this, &CActionFrameWnd::closeFind);
  show(initialMode(movieVersion));
}

void CActionFrameWnd::buildCommands() {
  for (const CommandEntry& entry : actionCommands()) {
    QAction* action = addCommand(entry.id, QString::fromLatin1(entry.label));
    action->setStatusTip(QString::fromLatin1(entry.statusText));
    action->setToolTip(QString::fromLatin1(entry.statusText));
    action->setIconText(toolbarText(entry.id));
  }
  // The mode buttons show the mode on display.
  auto* modes = new QActionGroup(this);
  for (const int id : {cmd::kByteCodeHex, cmd::kByteCodeCharacter, cmd::kByteCodeInteger, cmd::kFunctionCode,
                       cmd::kActionScript4, cmd::kActionScript5, cmd::kSource, cmd::kAssembly}) {
    commandAction(id)->setCheckable(true);
    modes->addAction(commandAction(id));
  }
  commandAction(cmd::kEditActions)->setCheckable(true);
  auto* toolbar = addToolBar(QStringLiteral("Action"));
  toolbar->setObjectName(QStringLiteral("actionToolbar"));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const int id :
       {cmd::kSaveAsFile, 0, cmd::kByteCodeHex, cmd::kByteCodeCharacter, cmd::kByteCodeInteger, 0, cmd::kFunctionCode,
        0, cmd::kActionScript4, cmd::kActionScript5, cmd::kSource, cmd::kAssembly, cmd::kEditActions, 0,
        cmd::kSyntaxColors, cmd::kCopyScript}) {
    if (id == 0) {
      toolbar->addSeparator();
    } else {
      toolbar->addAction(commandAction(id));
    }
  }
  for (const int id : {cmd::kCopyScript, cmd::kSelectAll, 0, cmd::kSaveAsFile, cmd::kSyntaxColors, 0, cmd::kByteCodeHex,
                       cmd::kByteCodeInteger, cmd::kByteCodeCharacter, 0, cmd::kFunctionCode, 0, cmd::kActionScript4,
                       cmd::kActionScript5, cmd::kSource, cmd::kAssembly, cmd::kEditActions}) {
    if (id == 0) {
      m_contextMenu->addSeparator();
    } else {
      m_contextMenu->addAction(commandAction(id));
    }
  }
  updateCopyState();
  updateEditCommands();
}

void CActionFrameWnd::runCommand(int id) {
  if (m_applied) return;
  if (const std::optional<TranslationMode> mode = modeOfCommand(id)) {
    // Another mode leaves the Edit mode; staying in it keeps the Assembly mode checked.
    if (*mode != m_mode && !leaveEditing()) {
      if (!m_applied) commandAction(commandOfMode(m_mode))->setChecked(true);
      return;
    }
    if (m_object != nullptr && !m_applied) show(*mode);
    return;
  }
  // The find bar's offsets are those of the text as shown, not as edited.
  if (isEditing() && (id == cmd::kFind || id == cmd::kFindNext || id == cmd::kFindPrevious)) return;
  switch (id) {
    case cmd::kCopyScript:
      m_view->copySelection();
      break;
    case cmd::kSelectAll:
      m_view->selectAll();
      break;
    case cmd::kSaveAsFile:
      saveAsFile();
      break;
    case cmd::kSyntaxColors:
      emit syntaxColorsRequested();
      break;
    case cmd::kFind:
      openFind();
      break;
    case cmd::kFindNext:
      step(1);
      break;
    case cmd::kFindPrevious:
      step(-1);
      break;
    case cmd::kEditActions:
      toggleEditing();
      break;
    case cmd::kApplyActions:
      static_cast<void>(apply());
      break;
    default:
      break;
  }
}

void CActionFrameWnd::selectMode(TranslationMode mode) { runCommand(commandOfMode(mode)); }

void CActionFrameWnd::show(TranslationMode mode) {
  m_mode = mode;
  if (m_isAbc) {
    m_shownVersion = 3;
    m_keywords.load(m_shownVersion, m_colours);
  } else if (const std::optional<int> version = modeScriptVersion(mode)) {
    m_shownVersion = *version;
    m_keywords.load(m_shownVersion, m_colours);
  } else if (mode == TranslationMode::Source) {
    // The source reads like version 5 script and takes its keyword colours.
    m_keywords.load(5, m_colours);
  }
  m_view->showText(textOf(mode), m_keywords);
  commandAction(commandOfMode(mode))->setChecked(true);
  if (!m_findBar->isHidden()) refind();
  updateCopyState();
  updateEditCommands();
}

const std::string& CActionFrameWnd::textOf(TranslationMode mode) {
  auto made = m_texts.find(mode);
  if (made == m_texts.end()) made = m_texts.emplace(mode, m_textMaker.text(m_object, mode, m_messages)).first;
  return made->second;
}

void CActionFrameWnd::showMatch(TranslationMode mode, std::size_t lineOffset, const TextMatch& match) {
  if (mode != m_mode) show(mode);
  m_view->selectBytes(lineOffset + match.offset, match.length);
  m_view->setFocus();
}

void CActionFrameWnd::openFind() {
  m_findBar->open();
  refind();
}

void CActionFrameWnd::refind() {
  const SearchQuery query{m_view->bytesOf(m_findBar->text()), false, !m_findBar->matchCase(), m_findBar->wholeWord()};
  m_matches = TextMatcher(query).findAll(m_view->bytes());
  m_view->markMatches(m_matches);
  const std::size_t caret = m_view->cursorByte();
  const auto next = std::lower_bound(m_matches.begin(), m_matches.end(), caret,
                                     [](const TextMatch& match, std::size_t offset) { return match.offset < offset; });
  m_currentMatch = m_matches.empty() ? -1 : static_cast<int>(next == m_matches.end() ? 0 : next - m_matches.begin());
  selectCurrentMatch();
}

void CActionFrameWnd::step(int direction) {
  if (m_findBar->isHidden()) {
    // F3 with the bar closed brings back its matches, starting from the caret.
    m_findBar->show();
    refind();
    return;
  }
  if (m_matches.empty()) return;
  const int count = static_cast<int>(m_matches.size());
  m_currentMatch = (m_currentMatch + direction + count) % count;
  selectCurrentMatch();
}

void CActionFrameWnd::selectCurrentMatch() {
  if (m_currentMatch >= 0) {
    const TextMatch& match = m_matches[static_cast<std::size_t>(m_currentMatch)];
    m_view->selectBytes(match.offset, match.length);
  }
  m_findBar->showCount(m_currentMatch + 1, static_cast<int>(m_matches.size()));
}

void CActionFrameWnd::closeFind() {
  m_matches.clear();
  m_currentMatch = -1;
  m_view->markMatches({});
  m_view->setFocus();
}

void CActionFrameWnd::changeSynColor(const SyntaxColours& colours) {
  m_colours = colours;
  m_keywords.load(m_shownVersion, m_colours);
  m_view->recolour(m_keywords);
}

void CActionFrameWnd::saveAsFile() {
  if (m_object == nullptr) {
    m_messages.show({"", "Failed, Null Memory Pointer", MessageIcon::Error});
    return;
  }
  const std::optional<std::string> chosen =
      m_prompts.savePath(this, QStringLiteral("Text Files (.txt) (*.txt)"), proposedTextFileName(m_title));
  if (!chosen) return;
  const std::optional<std::string> path = withTxtExtension(*chosen);
  if (!path) return;
  if (!writeTextFile(*path, isEditing() ? m_view->editedBytes() : m_view->bytes())) {
    m_messages.show({"", "Failed, Couldn't open File For Writing", MessageIcon::Error});
  }
}

void CActionFrameWnd::showContextMenu(QPoint globalPosition) { m_contextMenu->popup(globalPosition + QPoint(0, 12)); }

void CActionFrameWnd::updateCopyState() { commandAction(cmd::kCopyScript)->setEnabled(m_view->canCopy()); }

void CActionFrameWnd::enableEditing(ActionBlockEditor& editor) {
  const bool editable = dynamic_cast<const ActionObject*>(m_object) != nullptr ||
                        dynamic_cast<const ButtonObject*>(m_object) != nullptr;
  m_editor = editable ? &editor : nullptr;
  updateEditCommands();
}

bool CActionFrameWnd::isEditing() const { return m_view->isEditing(); }

int CActionFrameWnd::checkDelayMs(std::size_t bytes) { return bytes <= kQuickCheckBytes ? kQuickCheckMs : kSlowCheckMs; }

void CActionFrameWnd::updateEditCommands() {
  QAction* edit = commandAction(cmd::kEditActions);
  edit->setEnabled(m_editor != nullptr && m_mode == TranslationMode::Assembly && !m_applied);
  edit->setChecked(isEditing());
  commandAction(cmd::kApplyActions)->setEnabled(isEditing() && m_textFits && !m_applied);
}

void CActionFrameWnd::toggleEditing() {
  if (isEditing()) {
    static_cast<void>(leaveEditing());
  } else if (m_editor != nullptr && m_mode == TranslationMode::Assembly) {
    closeFind();
    m_findBar->hide();
    m_view->beginEditing();
    m_editBar->show();
    m_view->setFocus();
    checkText();
  }
  updateEditCommands();
}

bool CActionFrameWnd::leaveEditing() {
  if (!isEditing() || m_applied) return true;
  if (m_view->editedBytes() != m_view->bytes()) {
    const ChangesAnswer answer = m_prompts.askAboutChanges(
        this, QStringLiteral("The assembly text has changes that are not applied. Apply them?"),
        QStringLiteral("Apply"));
    if (answer == ChangesAnswer::Cancel) return false;
    if (answer == ChangesAnswer::Keep) return apply();
  }
  stopEditing();
  return true;
}

void CActionFrameWnd::stopEditing() {
  m_checkTimer->stop();
  m_textFits = true;
  m_editBar->hide();
  m_view->endEditing(m_keywords);
  updateEditCommands();
}

void CActionFrameWnd::checkText() {
  m_checkTimer->stop();
  if (!isEditing() || m_editor == nullptr || m_applied) return;
  AssemblyError error;
  const bool fits = m_editor->checkActions(*m_object, m_view->editedBytes(), error);
  showCheck(fits, error);
}

void CActionFrameWnd::showCheck(bool fits, const AssemblyError& error) {
  m_textFits = fits;
  if (fits) {
    m_view->clearError();
    m_editBar->showNoErrors();
  } else {
    m_view->markError(error.line, error.column);
    m_editBar->showError(error.line, error.column, error.message);
  }
  updateEditCommands();
}

bool CActionFrameWnd::apply() {
  if (!isEditing() || m_editor == nullptr || m_applied) return false;
  m_checkTimer->stop();
  AssemblyError error;
  if (!m_editor->applyActions(*m_object, m_view->editedBytes(), error)) {
    showCheck(false, error);
    return false;
  }
  // The movie was scanned again: the object is gone and a new window shows its blocks.
  m_applied = true;
  m_object = nullptr;
  return true;
}

void CActionFrameWnd::closeEvent(QCloseEvent* event) {
  if (leaveEditing()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace orvane
