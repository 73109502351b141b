#include "shell/PlayerSchemeHandler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <utility>

// The page lives in the static library's resources: register them explicitly (outside any
// namespace).
static void initPlayerResources() { Q_INIT_RESOURCE(player); }

namespace orvane {

namespace {

bool holdsPlayer(const QString& folder) { return QFileInfo(QDir(folder).filePath("ruffle.js")).isFile(); }

QByteArray mimeTypeOf(const QString& name) {
  if (name.endsWith(QLatin1String(".js"))) return "text/javascript";
  if (name.endsWith(QLatin1String(".wasm"))) return "application/wasm";
  if (name.endsWith(QLatin1String(".html"))) return "text/html";
  if (name.endsWith(QLatin1String(".map")) || name.endsWith(QLatin1String(".json"))) return "application/json";
  return "application/octet-stream";
}

}  // namespace

void PlayerSchemeHandler::registerScheme() {
  QWebEngineUrlScheme scheme(kScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  // Secure and CORS-enabled so that the player may fetch its WebAssembly and the movie.
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled |
                  QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QString PlayerSchemeHandler::findRuffleFolder() {
  if (qEnvironmentVariableIsSet("ORVANE_RUFFLE_DIR")) {
    const QString folder = qEnvironmentVariable("ORVANE_RUFFLE_DIR");
    return holdsPlayer(folder) ? folder : QString();
  }
  const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath("../share/orvane/ruffle");
  if (holdsPlayer(installed)) return QDir::cleanPath(installed);
  const QString built = QStringLiteral(ORVANE_RUFFLE_BUILD_DIR);
  return holdsPlayer(built) ? built : QString();
}

PlayerSchemeHandler::PlayerSchemeHandler(QString ruffleFolder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_ruffleFolder(std::move(ruffleFolder)) {
  initPlayerResources();
}

QUrl PlayerSchemeHandler::pageUrl() {
  return QUrl(QStringLiteral("%1://%2/index.html").arg(QLatin1String(kScheme), QLatin1String(kHost)));
}

QUrl PlayerSchemeHandler::movieUrl(int generation) {
  return QUrl(QStringLiteral("%1://%2/movie/%3.swf").arg(QLatin1String(kScheme), QLatin1String(kHost)).arg(generation));
}

void PlayerSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QUrl url = job->requestUrl();
  if (url.host() != QLatin1String(kHost) || job->requestMethod() != "GET") {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const QString path = url.path(QUrl::FullyDecoded);
  if (path == QLatin1String("/index.html") || path == QLatin1String("/preview.js")) {
    replyWithFile(job, QStringLiteral(":/player") + path, mimeTypeOf(path));
    return;
  }
  static const QString ruffle = QStringLiteral("/ruffle/");
  if (path.startsWith(ruffle)) {
    const QString name = path.mid(ruffle.size());
    // A plain file name only: no folders, no "." or "..".
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.'))) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    replyWithFile(job, QDir(m_ruffleFolder).filePath(name), mimeTypeOf(name));
    return;
  }
  if (path.startsWith(QLatin1String("/movie/")) && !m_moviePath.isEmpty()) {
    replyWithFile(job, m_moviePath, "application/x-shockwave-flash");
    return;
  }
  job->fail(QWebEngineUrlRequestJob::UrlNotFound);
}

void PlayerSchemeHandler::replyWithFile(QWebEngineUrlRequestJob* job, const QString& path,
                                        const QByteArray& mimeType) const {
  auto* file = new QFile(path, job);  // the job owns the file and closes it when done
  if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly)) {
    delete file;
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  job->reply(mimeType, file);
}

}  // namespace orvane
