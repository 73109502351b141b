// Serves the preview page, the web player's files and the one movie being previewed to the
// preview panel's browser view, under a URL scheme of its own.
#pragma once

#include <QString>
#include <QWebEngineUrlSchemeHandler>

namespace orvane {

/// Answers "orvane-player://player/..." requests:
///   index.html, preview.js     the page that hosts the player (built into the program)
///   ruffle/NAME                a plain file NAME of the player's installed folder
///   movie/ANYTHING.swf         the movie set with setMovie(), whatever ANYTHING is
/// Nothing else of the disk is reachable: names with folders in them, other files and
/// every other path fail as not found.
class PlayerSchemeHandler : public QWebEngineUrlSchemeHandler {
  Q_OBJECT

 public:
  static constexpr const char* kScheme = "orvane-player";
  static constexpr const char* kHost = "player";

  /// Registers the scheme; must run before the QApplication is created.
  static void registerScheme();

  /// The player's folder: $ORVANE_RUFFLE_DIR when set (and only that), else
  /// <program>/../share/orvane/ruffle, else the folder the build installed the package to.
  /// Empty when the chosen folder does not hold ruffle.js.
  static QString findRuffleFolder();

  PlayerSchemeHandler(QString ruffleFolder, QObject* parent = nullptr);

  void setMovie(const QString& path) { m_moviePath = path; }

  /// The page's address.
  static QUrl pageUrl();
  /// An address of the current movie; `generation` makes each load a new address, so
  /// that no cached copy of an earlier movie is used.
  static QUrl movieUrl(int generation);

  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  void replyWithFile(QWebEngineUrlRequestJob* job, const QString& path, const QByteArray& mimeType) const;

  QString m_ruffleFolder;
  QString m_moviePath;
};

}  // namespace orvane
