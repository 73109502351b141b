// An action window: the translation of one frame action, button or sprite instance in one
// of six modes, with its toolbar, status bar and "ActionContext" menu.
#pragma once

#include <QMenu>
#include <string>

#include "actions/TranslationMode.h"
#include "shell/AppSettings.h"
#include "shell/CObjectFrameWnd.h"
#include "shell/SyntaxColouring.h"

namespace orvane {

class CActionView;
class MessageSink;
class MovieObject;
class ShellPrompts;

class CActionFrameWnd : public CObjectFrameWnd {
  Q_OBJECT

 public:
  /// `object` is an ActionObject, ButtonObject or InstanceObject and must outlive the
  /// window; `title` is its display text.
  CActionFrameWnd(const MovieObject* object, const std::string& title, unsigned movieVersion,
                  const SyntaxColours& colours, MessageSink& messages, ShellPrompts& prompts,
                  QWidget* parent = nullptr);

  /// Runs one of the window's commands (mode, copy, select all, save, colours); unknown ids
  /// do nothing.
  void runCommand(int id) override;
  /// New colours: the keyword lists of the version last shown, and the whole text recoloured.
  void changeSynColor(const SyntaxColours& colours);

  const std::string& titleText() const { return m_title; }
  TranslationMode mode() const { return m_mode; }
  int shownVersion() const { return m_shownVersion; }
  CActionView* view() const { return m_view; }
  QMenu* contextMenu() const { return m_contextMenu; }

 signals:
  /// "Syntax Colors..." asks the main window for its colour dialog.
  void syntaxColorsRequested();

 private:
  void buildCommands();
  void show(TranslationMode mode);
  void saveAsFile();
  void showContextMenu(QPoint globalPosition);
  void updateCopyState();

  const MovieObject* m_object;
  std::string m_title;
  SyntaxColours m_colours;
  MessageSink& m_messages;
  ShellPrompts& m_prompts;
  CActionView* m_view;
  QMenu* m_contextMenu;
  KeywordTable m_keywords;
  TranslationMode m_mode = TranslationMode::ActionScript5;
  int m_shownVersion = 5;
};

}  // namespace orvane
