// An action window: the translation of one frame action, button or sprite instance in one
// of six modes (or the listing of an ActionScript 3 script or class), with its toolbar,
// status bar and "ActionContext" menu.
#pragma once

#include <QMenu>
#include <QTimer>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "actions/TranslationMode.h"
#include "actions/assembly/AssemblyLexer.h"
#include "search/SearchableObjects.h"
#include "search/TextMatcher.h"
#include "shell/AppSettings.h"
#include "shell/CObjectFrameWnd.h"
#include "shell/SyntaxColouring.h"

namespace orvane {

class ActionBlockEditor;
class CActionView;
class CEditBar;
class CFindBar;
class MessageSink;
class MovieObject;
class ShellPrompts;

class CActionFrameWnd : public CObjectFrameWnd {
  Q_OBJECT

 public:
  /// `object` is an ActionObject, ButtonObject, InstanceObject or AbcObject and must outlive
  /// the window; `title` is its display text. An AbcObject shows its outline and listings in
  /// every mode but the byte-code ones, which show the bytes of its bodies, all coloured as
  /// ActionScript 3 (version 3).
  CActionFrameWnd(const MovieObject* object, const std::string& title, unsigned movieVersion,
                  const SyntaxColours& colours, MessageSink& messages, ShellPrompts& prompts,
                  QWidget* parent = nullptr);

  /// Runs one of the window's commands (mode, copy, select all, save, colours, find, find
  /// next and previous); unknown ids do nothing.
  void runCommand(int id) override;
  /// Shows the text of `mode` with a match selected: `match` counted from the line that
  /// starts at byte `lineOffset` of that text.
  void showMatch(TranslationMode mode, std::size_t lineOffset, const TextMatch& match);
  /// New colours: the keyword lists of the version last shown, and the whole text recoloured.
  void changeSynColor(const SyntaxColours& colours);
  /// Shows `mode` as its command would.
  void selectMode(TranslationMode mode);

  /// Offers the Edit mode ("Edit", in the Assembly mode) for a frame action, init action,
  /// button or sprite instance, whose blocks `editor` checks and replaces; `editor` must
  /// outlive the window. Other objects stay read-only.
  void enableEditing(ActionBlockEditor& editor);
  bool isEditing() const;
  /// Leaves the Edit mode; with changes not applied it first asks whether to apply them
  /// (an apply that fails stays in the mode). False when the window stays in it.
  [[nodiscard]] bool leaveEditing();
  /// How long the assembler waits after a key before it checks a text of `bytes` bytes.
  static int checkDelayMs(std::size_t bytes);
  /// The object shown; none for an empty window.
  const MovieObject* object() const { return m_object; }
  CEditBar* editBar() const { return m_editBar; }

  const std::string& titleText() const { return m_title; }
  TranslationMode mode() const { return m_mode; }
  int shownVersion() const { return m_shownVersion; }
  CActionView* view() const { return m_view; }
  CFindBar* findBar() const { return m_findBar; }
  /// The matches of the find bar's text in the shown text.
  const std::vector<TextMatch>& matches() const { return m_matches; }
  QMenu* contextMenu() const { return m_contextMenu; }

 protected:
  /// Closing the window leaves the Edit mode first.
  void closeEvent(QCloseEvent* event) override;

 signals:
  /// "Syntax Colors..." asks the main window for its colour dialog.
  void syntaxColorsRequested();

 private:
  void buildCommands();
  void show(TranslationMode mode);
  /// The text of `mode`, translated the first time it is asked for.
  const std::string& textOf(TranslationMode mode);
  void openFind();
  /// Finds the bar's text again in the shown text; the current match becomes the first one
  /// at or after the caret.
  void refind();
  /// Steps to the next match (or the previous one), wrapping around at either end.
  void step(int direction);
  void selectCurrentMatch();
  void closeFind();
  void saveAsFile();
  void showContextMenu(QPoint globalPosition);
  void updateCopyState();
  void toggleEditing();
  void stopEditing();
  /// Runs the assembler over the edited text and marks its first error.
  void checkText();
  void showCheck(bool fits, const AssemblyError& error);
  /// Replaces the object's blocks by the edited text; true once done (the window then
  /// gives way to a new one).
  [[nodiscard]] bool apply();
  void updateEditCommands();

  const MovieObject* m_object;
  const bool m_isAbc;
  std::string m_title;
  SyntaxColours m_colours;
  MessageSink& m_messages;
  ShellPrompts& m_prompts;
  CActionView* m_view;
  CFindBar* m_findBar;
  QMenu* m_contextMenu;
  KeywordTable m_keywords;
  TranslationMode m_mode = TranslationMode::ActionScript5;
  int m_shownVersion = 5;
  ObjectWindowTexts m_textMaker;
  std::map<TranslationMode, std::string> m_texts;
  std::vector<TextMatch> m_matches;
  int m_currentMatch = -1;
  ActionBlockEditor* m_editor = nullptr;
  CEditBar* m_editBar;
  QTimer* m_checkTimer;
  bool m_textFits = true;
  /// Set once the blocks are replaced: the window waits for its deletion.
  bool m_applied = false;
};

}  // namespace orvane
