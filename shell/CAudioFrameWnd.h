// A sound window: the description of one sound object, played or saved from its menu.
#pragma once

#include <QMenu>
#include <string>

#include "shell/CObjectFrameWnd.h"

namespace orvane {

class CAudioView;
class MessageSink;
class ProgramLauncher;
class ShellPrompts;
class SoundObject;

class CAudioFrameWnd : public CObjectFrameWnd {
  Q_OBJECT

 public:
  /// `sound` must outlive the window; `title` is its display text. An ADPCM sound (format
  /// 1) shows that it is not supported; the view describes the sound's file, or shows that
  /// there is none.
  CAudioFrameWnd(const SoundObject* sound, const std::string& title, MessageSink& messages, ShellPrompts& prompts,
                 ProgramLauncher& launcher, QWidget* parent = nullptr);

  /// Play (118), Stop (119) and "Save As File" (32780); other ids do nothing.
  void runCommand(int id) override;

  const std::string& titleText() const { return m_title; }
  CAudioView* view() const { return m_view; }
  QMenu* contextMenu() const { return m_contextMenu; }

  static constexpr const char* kAdpcmMessage =
      "This Sound File is ADPCM encoded. Orvane doesn't currently support this format";

 private:
  void showContextMenu(QPoint globalPosition);

  const SoundObject* m_sound;
  std::string m_title;
  MessageSink& m_messages;
  ShellPrompts& m_prompts;
  CAudioView* m_view;
  QMenu* m_contextMenu;
};

}  // namespace orvane
