// "Movie Preview": the movie playing in the embedded web player, with the buttons that
// rewind, step, play, stop and clear it and the number of the frame shown.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <string>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace orvane {

class PlayerSchemeHandler;

class CMoviePreviewPanel : public QWidget {
  Q_OBJECT

 public:
  /// Button ids, left to right.
  enum Button { kRewind = 49, kBack = 53, kStop = 50, kPlay = 51, kForward = 54, kClear = 52 };

  /// Registers the URL scheme that serves the player; call once before the QApplication
  /// exists.
  static void registerPlayerScheme();

  explicit CMoviePreviewPanel(QWidget* parent = nullptr);
  ~CMoviePreviewPanel() override;

  /// Sets the movie, stopped on its first frame; `frameIntervalMs` paces the frame counter
  /// while it plays. The browser view is made when the panel first has a movie while it is
  /// visible, so a panel that is never shown with a movie starts no browser.
  void load(const std::string& moviePath, int frameIntervalMs);
  /// Sets an empty movie.
  void clear();

  QString frameText() const;
  /// The page and the player script are loaded.
  bool playerReady() const { return m_playerReady; }
  /// The page's state line ("ready", "loading", "loaded FRAMES", "empty", "error TEXT"); empty
  /// before the page has said anything.
  const QString& stateLine() const { return m_stateLine; }
  /// The frame count the player read from the current movie; -1 until it has.
  int frameCount() const { return m_frameCount; }
  /// The line shown instead of the player when it cannot run; empty while it can.
  QString messageText() const;
  /// The button with that id; none for an id the panel does not have.
  QAbstractButton* button(Button id) const;
  QSize sizeHint() const override;
  /// The player's page; none before the first load.
  QWebEnginePage* page() const;

 signals:
  /// The player has read the movie's header and stopped it on its first frame.
  void movieLoaded(int frameCount);
  void stateLineChanged(const QString& line);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool ensurePlayer();
  void showMessage(const QString& reason);
  void loadWhenPossible();
  void onStateLine(const QString& line);
  void onTick();
  void rewind();
  void step(int delta);
  void play();
  void stop();
  void showFrame(int frame);
  void runScript(const QString& call);

  QStackedWidget* m_area;
  QLabel* m_message;
  std::array<QAbstractButton*, 6> m_buttons{};
  QLabel* m_frameLabel;
  QLineEdit* m_frameField;
  QTimer m_timer;

  QWebEngineProfile* m_profile = nullptr;
  PlayerSchemeHandler* m_handler = nullptr;
  QWebEngineView* m_view = nullptr;

  QString m_moviePath;
  int m_frameInterval = 0;
  int m_frame = 0;
  int m_frameCount = -1;
  int m_generation = 0;
  bool m_playerReady = false;
  bool m_loadPending = false;
  QString m_stateLine;
};

}  // namespace orvane
