// The sound window's view: the five descriptions of a WAV or MP3 object file, and Play/Stop.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <string>

#include "objects/SoundDescription.h"

class QPushButton;
class QSoundEffect;

namespace orvane {

class MessageSink;
class ProgramLauncher;

class CAudioView : public QWidget {
  Q_OBJECT

 public:
  CAudioView(MessageSink& messages, ProgramLauncher& launcher, QWidget* parent = nullptr);

  /// Describes the sound file at `path` (empty: no file); true when a description was made.
  bool load(const std::string& path);

  const SoundDescription& description() const { return m_description; }
  const std::string& soundPath() const { return m_path; }
  bool isPlaying() const { return m_playing; }
  QPushButton* playButton() const { return m_play; }
  QPushButton* stopButton() const { return m_stop; }

 public slots:
  /// Play: an MP3 file goes to the external player (after its message); anything else is
  /// played as WAV, asynchronously. A path shorter than two characters does nothing.
  void play();
  /// Stop: the buttons return to idle and any sound playing stops.
  void stop();

 signals:
  /// A right click at `globalPosition`; the frame opens its context menu.
  void contextMenuWanted(QPoint globalPosition);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void setPlaying(bool playing);

  MessageSink& m_messages;
  ProgramLauncher& m_launcher;
  std::string m_path;
  SoundDescription m_description;
  bool m_playing = false;
  QPixmap m_bitmap;  // the 16 x 16 bitmap 131
  QPushButton* m_play;
  QPushButton* m_stop;
  QSoundEffect* m_player = nullptr;  // made on the first WAV Play
};

}  // namespace orvane
