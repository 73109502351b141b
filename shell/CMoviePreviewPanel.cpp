#include "shell/CMoviePreviewPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>

#include "shell/PlayerSchemeHandler.h"

// Frame numbers. The player's script interface can play and pause but cannot report or go
// to a frame, so the panel keeps the number itself: 0 is the first frame. Loading and
// Rewind put the movie on it. Forward and Back step the player's own timeline (through the
// commands of its context menu, see player/preview.js), which is exact and immediate, and
// move the number with it within 0 .. frame count - 1; reloading and replaying up to a
// frame instead would be slow for long movies and would replay sounds. While the movie
// plays, each tick of a timer at the movie's frame interval advances the number and wraps
// it after the last frame, as the player loops the movie; the timer stops when the player
// says the timeline no longer plays (a stop action of the movie). The played count can
// drift from the player's and does not follow jumps made by the movie's own actions; it is
// exact again after Rewind.

namespace orvane {

namespace {

constexpr int kControlsHeight = 53;  // below the player
constexpr int kButtonRow = 50;       // pixels above the bottom
constexpr int kButtonSize = 16;
// The counter asks the page once a tick; movies with no frame rate (interval 0) or an
// absurd one are counted at most a hundred times a second.
constexpr int kShortestIntervalMs = 10;

struct ButtonSpec {
  CMoviePreviewPanel::Button id;
  const char* tip;
  QStyle::StandardPixmap icon;
};

constexpr std::array<ButtonSpec, 6> kButtons{{
    {CMoviePreviewPanel::kRewind, "Rewind", QStyle::SP_MediaSkipBackward},
    {CMoviePreviewPanel::kBack, "Back", QStyle::SP_MediaSeekBackward},
    {CMoviePreviewPanel::kStop, "Stop", QStyle::SP_MediaStop},
    {CMoviePreviewPanel::kPlay, "Play", QStyle::SP_MediaPlay},
    {CMoviePreviewPanel::kForward, "Play", QStyle::SP_MediaSeekForward},
    {CMoviePreviewPanel::kClear, "Clear", QStyle::SP_DialogDiscardButton},
}};

}  // namespace

void CMoviePreviewPanel::registerPlayerScheme() { PlayerSchemeHandler::registerScheme(); }

CMoviePreviewPanel::CMoviePreviewPanel(QWidget* parent)
    : QWidget(parent),
      m_area(new QStackedWidget(this)),
      m_message(new QLabel(m_area)),
      m_frameLabel(new QLabel(QStringLiteral("Frame"), this)),
      m_frameField(new QLineEdit(QStringLiteral("0"), this)) {
  m_message->setAlignment(Qt::AlignCenter);
  m_message->setWordWrap(true);
  m_area->addWidget(m_message);
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    auto* button = new QToolButton(this);
    button->setIcon(style()->standardIcon(kButtons[i].icon));
    button->setToolTip(QString::fromLatin1(kButtons[i].tip));
    button->setAutoRaise(true);
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setIconSize(QSize(kButtonSize - 2, kButtonSize - 2));
    m_buttons[i] = button;
  }
  connect(button(kRewind), &QAbstractButton::clicked, this, &CMoviePreviewPanel::rewind);
  connect(button(kBack), &QAbstractButton::clicked, this, [this] { step(-1); });
  connect(button(kStop), &QAbstractButton::clicked, this, &CMoviePreviewPanel::stop);
  connect(button(kPlay), &QAbstractButton::clicked, this, &CMoviePreviewPanel::play);
  connect(button(kForward), &QAbstractButton::clicked, this, [this] { step(1); });
  connect(button(kClear), &QAbstractButton::clicked, this, &CMoviePreviewPanel::clear);
  m_frameField->setReadOnly(true);
  m_frameField->setFixedWidth(60);
  setMinimumSize(200, kControlsHeight + 40);
  connect(&m_timer, &QTimer::timeout, this, &CMoviePreviewPanel::onTick);
}

CMoviePreviewPanel::~CMoviePreviewPanel() {
  // The page must go before the profile it was made with.
  delete m_view;
}

QAbstractButton* CMoviePreviewPanel::button(Button id) const {
  const auto* entry = std::find_if(kButtons.begin(), kButtons.end(), [id](const ButtonSpec& b) { return b.id == id; });
  return entry == kButtons.end() ? nullptr : m_buttons[static_cast<std::size_t>(entry - kButtons.begin())];
}

QSize CMoviePreviewPanel::sizeHint() const { return {240, 180 + kControlsHeight}; }

QWebEnginePage* CMoviePreviewPanel::page() const { return m_view != nullptr ? m_view->page() : nullptr; }

QString CMoviePreviewPanel::frameText() const { return m_frameField->text(); }

QString CMoviePreviewPanel::messageText() const {
  return m_area->currentWidget() == m_message ? m_message->text() : QString();
}

void CMoviePreviewPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_area->setGeometry(0, 0, width(), std::max(0, height() - kControlsHeight));
  const int top = height() - kButtonRow;
  int x = 5;
  for (QAbstractButton* b : m_buttons) {
    b->move(x, top);
    x += kButtonSize + 2;
  }
  const int fieldTop = top + (kButtonSize - m_frameField->sizeHint().height()) / 2;
  m_frameLabel->adjustSize();
  m_frameLabel->move(x + 6, top + (kButtonSize - m_frameLabel->height()) / 2);
  m_frameField->move(m_frameLabel->geometry().right() + 6, fieldTop);
}

void CMoviePreviewPanel::load(const std::string& moviePath, int frameIntervalMs) {
  m_timer.stop();
  m_moviePath = QString::fromStdString(moviePath);
  m_frameInterval = std::max(kShortestIntervalMs, frameIntervalMs);
  m_frameCount = -1;
  showFrame(0);
  m_loadPending = true;
  loadWhenPossible();
}

void CMoviePreviewPanel::clear() {
  m_timer.stop();
  m_moviePath.clear();
  m_frameCount = -1;
  m_loadPending = false;
  showFrame(0);
  if (m_handler != nullptr) m_handler->setMovie(QString());
  if (m_playerReady) runScript(QStringLiteral("clear()"));
}

void CMoviePreviewPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  loadWhenPossible();
}

void CMoviePreviewPanel::loadWhenPossible() {
  // A hidden panel starts no browser; the movie waits until the panel is shown.
  if (!m_loadPending || !isVisible() || !ensurePlayer() || !m_playerReady) return;
  m_loadPending = false;
  m_handler->setMovie(m_moviePath);
  runScript(QStringLiteral("load('%1')").arg(PlayerSchemeHandler::movieUrl(++m_generation).toString()));
}

bool CMoviePreviewPanel::ensurePlayer() {
  if (m_view != nullptr) return true;
  if (!m_message->text().isEmpty()) return false;  // tried before and failed
  const QString ruffleFolder = PlayerSchemeHandler::findRuffleFolder();
  if (ruffleFolder.isEmpty()) {
    showMessage(QStringLiteral("the Ruffle player was not found (set ORVANE_RUFFLE_DIR to its folder)"));
    return false;
  }
  m_profile = new QWebEngineProfile(this);  // off the record: nothing is kept on disk
  m_handler = new PlayerSchemeHandler(ruffleFolder, m_profile);
  m_profile->installUrlSchemeHandler(PlayerSchemeHandler::kScheme, m_handler);
  m_view = new QWebEngineView(m_area);
  auto* page = new QWebEnginePage(m_profile, m_view);
  QWebEngineSettings* settings = page->settings();
  settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
  settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  connect(page, &QWebEnginePage::titleChanged, this, &CMoviePreviewPanel::onStateLine);
  connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
    if (!ok) showMessage(QStringLiteral("the player page could not be loaded"));
  });
  connect(page, &QWebEnginePage::renderProcessTerminated, this,
          [this] { showMessage(QStringLiteral("the player stopped unexpectedly")); });
  m_view->setPage(page);
  m_view->setContextMenuPolicy(Qt::NoContextMenu);
  m_area->addWidget(m_view);
  m_area->setCurrentWidget(m_view);
  m_view->load(PlayerSchemeHandler::pageUrl());
  return true;
}

void CMoviePreviewPanel::showMessage(const QString& reason) {
  m_timer.stop();
  m_playerReady = false;
  m_loadPending = false;
  m_message->setText(QStringLiteral("Movie preview unavailable: ") + reason);
  m_area->setCurrentWidget(m_message);
}

void CMoviePreviewPanel::onStateLine(const QString& line) {
  m_stateLine = line;
  emit stateLineChanged(line);
  if (line == QLatin1String("ready")) {
    m_playerReady = true;
    loadWhenPossible();
  } else if (line.startsWith(QLatin1String("loaded "))) {
    m_frameCount = std::max(0, line.mid(7).toInt());
    showFrame(0);
    emit movieLoaded(m_frameCount);
  } else if (line.startsWith(QLatin1String("error ")) && !m_playerReady) {
    showMessage(line.mid(6));
  }
}

void CMoviePreviewPanel::onTick() {
  m_view->page()->runJavaScript(QStringLiteral("orvanePreview.isPlaying()"), [this](const QVariant& playing) {
    if (!m_timer.isActive()) return;  // stopped while the question was on its way
    if (!playing.toBool()) {
      m_timer.stop();
      return;
    }
    showFrame(m_frameCount > 0 ? (m_frame + 1) % m_frameCount : 0);
  });
}

void CMoviePreviewPanel::rewind() {
  m_timer.stop();
  if (m_frameCount > 0) runScript(QStringLiteral("rewind()"));
  showFrame(0);
}

void CMoviePreviewPanel::step(int delta) {
  if (m_frameCount <= 0) return;
  // Stepping stops the player's timeline; the counter stops with it.
  m_timer.stop();
  runScript(delta > 0 ? QStringLiteral("forward()") : QStringLiteral("back()"));
  showFrame(std::clamp(m_frame + delta, 0, m_frameCount - 1));
}

void CMoviePreviewPanel::play() {
  if (m_frameCount <= 0) return;
  runScript(QStringLiteral("play()"));
  m_timer.start(m_frameInterval);
}

void CMoviePreviewPanel::stop() {
  m_timer.stop();
  if (m_frameCount > 0) runScript(QStringLiteral("stop()"));
}

void CMoviePreviewPanel::showFrame(int frame) {
  m_frame = frame;
  m_frameField->setText(QString::number(frame));
}

void CMoviePreviewPanel::runScript(const QString& call) {
  m_view->page()->runJavaScript(QStringLiteral("orvanePreview.") + call);
}

}  // namespace orvane
