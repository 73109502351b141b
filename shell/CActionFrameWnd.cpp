#include "shell/CActionFrameWnd.h"

#include <QAction>
#include <QActionGroup>
#include <QStatusBar>
#include <QToolBar>

#include "actions/ActionTranslator.h"
#include "platform/MessageSink.h"
#include "shell/ActionTextFile.h"
#include "shell/CActionView.h"
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
      m_title(title),
      m_colours(colours),
      m_messages(messages),
      m_prompts(prompts),
      m_view(new CActionView(this)),
      m_contextMenu(new QMenu(QStringLiteral("ActionContext"), this)) {
  setCentralWidget(m_view);
  setWindowTitle(displayString(m_title));
  statusBar();
  buildCommands();
  connect(m_view, &CActionView::contextMenuWanted, this, &CActionFrameWnd::showContextMenu);
  connect(m_view, &QPlainTextEdit::cursorPositionChanged, this, &CActionFrameWnd::updateCopyState);
  connect(m_view, &QPlainTextEdit::selectionChanged, this, &CActionFrameWnd::updateCopyState);
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
                       cmd::kActionScript4, cmd::kActionScript5, cmd::kSource}) {
    commandAction(id)->setCheckable(true);
    modes->addAction(commandAction(id));
  }
  auto* toolbar = addToolBar(QStringLiteral("Action"));
  toolbar->setObjectName(QStringLiteral("actionToolbar"));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const int id :
       {cmd::kSaveAsFile, 0, cmd::kByteCodeHex, cmd::kByteCodeCharacter, cmd::kByteCodeInteger, 0, cmd::kFunctionCode,
        0, cmd::kActionScript4, cmd::kActionScript5, cmd::kSource, 0, cmd::kSyntaxColors, cmd::kCopyScript}) {
    if (id == 0) {
      toolbar->addSeparator();
    } else {
      toolbar->addAction(commandAction(id));
    }
  }
  for (const int id : {cmd::kCopyScript, cmd::kSelectAll, 0, cmd::kSaveAsFile, cmd::kSyntaxColors, 0, cmd::kByteCodeHex,
                       cmd::kByteCodeInteger, cmd::kByteCodeCharacter, 0, cmd::kFunctionCode, 0, cmd::kActionScript4,
                       cmd::kActionScript5, cmd::kSource}) {
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
    default:
      break;
  }
}

void CActionFrameWnd::show(TranslationMode mode) {
  m_mode = mode;
  if (const std::optional<int> version = modeScriptVersion(mode)) {
    m_shownVersion = *version;
    m_keywords.load(m_shownVersion, m_colours);
  } else if (mode == TranslationMode::Source) {
    // The source reads like version 5 script and takes its keyword colours.
    m_keywords.load(5, m_colours);
  }
  m_view->showText(ActionWindowText(m_object, mode, m_messages), m_keywords);
  commandAction(commandOfMode(mode))->setChecked(true);
  updateCopyState();
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
