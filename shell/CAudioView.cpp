#include "shell/CAudioView.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSoundEffect>
#include <QUrl>

#include "shell/ViewPainting.h"

namespace orvane {

namespace {

constexpr QColor kBlue(0, 0, 233);
constexpr QColor kSeparator(70, 70, 170);
constexpr QColor kGrid(22, 22, 56);
constexpr QColor kValue(0, 220, 0);
constexpr QColor kError(255, 90, 90);
constexpr int kTopBandHeight = 10;
constexpr int kTopBandSteps = 90;
constexpr int kLowerBandTop = 200;
constexpr int kLowerBandSteps = 110;
constexpr int kGridSpacing = 16;
constexpr int kTextLeft = 5;
constexpr int kErrorTop = 120;

/// The colour of step `index` of `steps` going from black to blue.
QColor bandColour(int index, int steps) { return QColor(0, 0, kBlue.blue() * index / (steps - 1)); }

}  // namespace

CAudioView::CAudioView(MessageSink& messages, ProgramLauncher& launcher, QWidget* parent)
    : QWidget(parent),
      m_messages(messages),
      m_launcher(launcher),
      m_bitmap(shellBitmap(QStringLiteral("bitmap131.png"))),
      m_play(new QPushButton(QStringLiteral("Play >"), this)),
      m_stop(new QPushButton(QStringLiteral("Stop []"), this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(220, 210);
  m_play->setGeometry(5, 180, 50, 20);   // (5, 180)-(55, 200)
  m_stop->setGeometry(65, 180, 60, 20);  // (65, 180)-(125, 200)
  m_stop->setEnabled(false);
  connect(m_play, &QPushButton::clicked, this, &CAudioView::play);
  connect(m_stop, &QPushButton::clicked, this, &CAudioView::stop);
}

bool CAudioView::load(const std::string& path) {
  m_path = path;
  const bool described = m_description.load(path);
  update();
  return described;
}

void CAudioView::play() {
  if (playSound(m_path, m_messages, m_launcher) != PlayRoute::WavePlayer) return;
  setPlaying(true);
  // QSoundEffect loads and plays on its own, without blocking this thread, so no worker
  // thread is needed to start it. A file it cannot play stays silent: it only reports an
  // error status, which nothing shows.
  if (m_player == nullptr) m_player = new QSoundEffect(this);
  m_player->stop();
  m_player->setSource(QUrl::fromLocalFile(QString::fromStdString(m_path)));
  m_player->play();
}

void CAudioView::stop() {
  setPlaying(false);
  if (m_player != nullptr) m_player->stop();
}

void CAudioView::setPlaying(bool playing) {
  m_playing = playing;
  m_play->setEnabled(!playing);
  m_stop->setEnabled(playing);
}

void CAudioView::paintEvent(QPaintEvent*) {
  // Widgets are painted into a back buffer and shown in one step, as the view wants.
  QPainter painter(this);
  const int w = width();
  const int h = height();
  painter.fillRect(rect(), Qt::black);
  for (int step = 0; step < kTopBandSteps; ++step) {
    const int left = w * step / kTopBandSteps;
    painter.fillRect(QRect(left, 0, w * (step + 1) / kTopBandSteps - left, kTopBandHeight),
                     bandColour(step, kTopBandSteps));
  }
  if (h > kLowerBandTop) {
    for (int step = 0; step < kLowerBandSteps; ++step) {
      const int top = kLowerBandTop + (h - kLowerBandTop) * step / kLowerBandSteps;
      const int bottom = kLowerBandTop + (h - kLowerBandTop) * (step + 1) / kLowerBandSteps;
      painter.fillRect(QRect(0, top, w, bottom - top), bandColour(step, kLowerBandSteps));
    }
  }
  painter.setPen(kGrid);
  for (int x = kGridSpacing; x < w; x += kGridSpacing) painter.drawLine(x, 19, x, kLowerBandTop - 1);
  for (int y = 18 + kGridSpacing; y < kLowerBandTop; y += kGridSpacing) painter.drawLine(0, y, w, y);
  painter.setPen(kSeparator);
  for (const int y : {18, 200, 203}) painter.drawLine(0, y, w, y);
  painter.drawPixmap(0, 0, m_bitmap);

  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(14);
  painter.setFont(font);
  drawTextAt(painter, QPoint(18, 2), QStringLiteral("Audio Object"), Qt::white);
  const struct {
    int top;
    const char* label;
    const std::string& value;
  } rows[] = {
      {20, "Size (bytes) ", m_description.size}, {40, "Type    ", m_description.type},
      {57, "Format ", m_description.format},     {74, "Length ", m_description.length},
      {91, "Rate    ", m_description.rate},
  };
  for (const auto& row : rows) {
    const int x = drawTextAt(painter, QPoint(kTextLeft, row.top), QString::fromLatin1(row.label), Qt::white);
    drawTextAt(painter, QPoint(x, row.top), QString::fromStdString(row.value), kValue);
  }
  if (!m_description.error.empty()) {
    drawTextAt(painter, QPoint(kTextLeft, kErrorTop), QString::fromStdString(m_description.error), kError);
  }
}

void CAudioView::contextMenuEvent(QContextMenuEvent* event) { emit contextMenuWanted(event->globalPos()); }

}  // namespace orvane
