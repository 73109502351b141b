#include "shell/CActionFrameWnd.h"

#include <QAction>
#include <QActionGroup>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "movie/MovieObject.h"
#include "platform/MessageSink.h"
#include "shell/ActionTextFile.h"
#include "shell/CActionView.h"
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
      m_contextMenu(new QMenu(QStringLiteral("ActionContext"), this)) {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_view, 1);
  layout->addWidget(m_findBar);
  setCentralWidget(central);
  setWindowTitle(displayString(m_title));
  statusBar();
  buildCommands();
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
  auto* toolbar = addToolBar(QStringLiteral("Action"));
  toolbar->setObjectName(QStringLiteral("actionToolbar"));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const int id :
       {cmd::kSaveAsFile, 0, cmd::kByteCodeHex, cmd::kByteCodeCharacter, cmd::kByteCodeInteger, 0, cmd::kFunctionCode,
        0, cmd::kActionScript4, cmd::kActionScript5, cmd::kSource, cmd::kAssembly, 0, cmd::kSyntaxColors,
        cmd::kCopyScript}) {
    if (id == 0) {
      toolbar->addSeparator();
    } else {
      toolbar->addAction(commandAction(id));
    }
  }
  for (const int id : {cmd::kCopyScript, cmd::kSelectAll, 0, cmd::kSaveAsFile, cmd::kSyntaxColors, 0, cmd::kByteCodeHex,
                       cmd::kByteCodeInteger, cmd::kByteCodeCharacter, 0, cmd::kFunctionCode, 0, cmd::kActionScript4,
                       cmd::kActionScript5, cmd::kSource, cmd::kAssembly}) {
    if (id == 0) {
      m_contextMenu->addSeparator();
    } else {
      m_contextMenu->addAction(commandAction(id));
    }
  }
  updateCopyState();
}

void CActionFrameWnd::runCommand(int id) {
  if (const std::optional<TranslationMode> mode = modeOfCommand(id)) {
    if (m_object != nullptr) show(*mode);
    return;
  }
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
    default:
      break;
  }
}

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
  if (!writeTextFile(*path, m_view->bytes())) {
    m_messages.show({"", "Failed, Couldn't open File For Writing", MessageIcon::Error});
  }
}

void CActionFrameWnd::showContextMenu(QPoint globalPosition) { m_contextMenu->popup(globalPosition + QPoint(0, 12)); }

void CActionFrameWnd::updateCopyState() { commandAction(cmd::kCopyScript)->setEnabled(m_view->canCopy()); }

}  // namespace orvane
