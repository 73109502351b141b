#include "shell/CAssetFrameWnd.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "objects/AssetSaving.h"
#include "objects/AssetViewing.h"
#include "shell/CAssetPictureView.h"
#include "shell/Commands.h"
#include "shell/DisplayText.h"
#include "shell/ShellPrompts.h"
#include "vector/SvgRasterizer.h"

namespace orvane {

namespace {

const QString kPictureFilter = QStringLiteral("SVG Files (.svg) (*.svg);;PNG Files (.png) (*.png)");

QStringList displayLines(const std::vector<std::string>& lines) {
  QStringList out;
  for (const std::string& line : lines) out.push_back(displayString(line));
  return out;
}

}  // namespace

CAssetFrameWnd::CAssetFrameWnd(const std::string& title, AssetWindowSubject subject, MessageSink& messages,
                               ShellPrompts& prompts, QWidget* parent)
    : CObjectFrameWnd(parent),
      m_subject(std::move(subject)),
      m_messages(messages),
      m_prompts(prompts),
      m_view(new CAssetPictureView(this)),
      m_splitter(new QSplitter(Qt::Vertical, this)) {
  setWindowTitle(displayString(title));
  auto* toolbar = addToolBar(QStringLiteral("Asset"));
  toolbar->setObjectName(QStringLiteral("assetToolbar"));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolbar->addAction(addCommand(cmd::kExtractObject, m_subject.extension == ".png" ? QStringLiteral("Save As PNG")
                                                                                    : QStringLiteral("Save As SVG")));
  if (m_subject.animation) toolbar->addAction(addCommand(cmd::kSaveAnimation, QStringLiteral("Save Animated SVG")));

  auto* picture = new QWidget(m_splitter);
  auto* layout = new QVBoxLayout(picture);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view, 1);
  if (m_subject.positions > 1) {
    auto* row = new QHBoxLayout;
    m_positionLabel = new QLabel(picture);
    m_slider = new QSlider(Qt::Horizontal, picture);
    m_slider->setRange(0, static_cast<int>(std::min<std::uint32_t>(m_subject.positions - 1, INT_MAX)));
    m_slider->setPageStep(std::max(1, m_slider->maximum() / 10));
    row->addWidget(m_positionLabel);
    row->addWidget(m_slider, 1);
    layout->addLayout(row);
    connect(m_slider, &QSlider::valueChanged, this, &CAssetFrameWnd::drawSoon);
  }
  m_splitter->addWidget(picture);
  setCentralWidget(m_splitter);

  m_drawTimer.setSingleShot(true);
  m_drawTimer.setInterval(0);
  connect(&m_drawTimer, &QTimer::timeout, this, &CAssetFrameWnd::drawPosition);
  connect(m_view, &CAssetPictureView::pictureAreaChanged, this, &CAssetFrameWnd::fitPicture);
  drawPosition();
}

std::uint32_t CAssetFrameWnd::position() const {
  return m_slider == nullptr ? 0 : static_cast<std::uint32_t>(m_slider->value());
}

void CAssetFrameWnd::showPosition(std::uint32_t position) {
  if (m_slider == nullptr) return;
  const QSignalBlocker blocker(m_slider);
  m_slider->setValue(static_cast<int>(std::min<std::uint32_t>(position, static_cast<std::uint32_t>(m_slider->maximum()))));
  drawPosition();
}

void CAssetFrameWnd::addDetails(QWidget* details) { m_splitter->addWidget(details); }

void CAssetFrameWnd::drawSoon() { m_drawTimer.start(); }

void CAssetFrameWnd::drawPosition() {
  m_drawTimer.stop();
  const std::uint32_t at = position();
  if (m_positionLabel != nullptr) m_positionLabel->setText(displayString(m_subject.positionText(at)));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  m_picture = m_subject.draw(at);
  QApplication::restoreOverrideCursor();
  fitPicture();
}

void CAssetFrameWnd::fitPicture() {
  const QSize area = m_view->pictureArea();
  const RasterResult raster = rasterizeSvg(m_picture.svg, fitScale(m_picture.bounds, area.width(), area.height()));
  std::vector<std::string> notes = m_picture.notes;
  if (!raster.error.empty()) notes.push_back("The picture could not be drawn: " + raster.error);
  m_view->setPicture(QImage::fromData(raster.png.data(), static_cast<int>(raster.png.size())),
                     {displayString(assetBoundsLine(m_subject.characterId, m_picture.bounds))}, displayLines(notes));
}

void CAssetFrameWnd::runCommand(int id) {
  if (id == cmd::kExtractObject) save();
  if (id == cmd::kSaveAnimation && m_subject.animation) saveAnimation();
}

void CAssetFrameWnd::save() {
  const std::optional<std::string> chosen = m_prompts.savePath(this, kPictureFilter, std::string());
  if (chosen) static_cast<void>(saveAssetPicture(m_picture.svg, *chosen, m_subject.extension, m_messages));
}

void CAssetFrameWnd::saveAnimation() {
  const std::optional<std::string> chosen =
      m_prompts.savePath(this, QStringLiteral("SVG Files (.svg) (*.svg)"), std::string());
  if (chosen) static_cast<void>(saveAssetPicture(m_subject.animation(), *chosen, ".svg", m_messages));
}

}  // namespace orvane
