#include "shell/CFontFrameWnd.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "fonts/GlyphCodes.h"
#include "vector/TextSvg.h"
#include "fonts/TrueTypeWriter.h"
#include "objects/AssetSaving.h"
#include "objects/AssetViewing.h"
#include "shell/Commands.h"
#include "shell/DisplayText.h"
#include "shell/ShellPrompts.h"
#include "vector/SvgRasterizer.h"

namespace orvane {

namespace {

constexpr int kEmPixels = 40;
constexpr int kGlyphMargin = (GlyphListModel::kGlyphPixels - kEmPixels) / 2;

/// Where the baseline lies in a glyph's picture: the font's ascent below the top margin
/// (four fifths of the em for a font without a layout).
double baselineOf(const SwfFont& font) {
  const double ascent = font.hasLayout && font.emUnits > 0 ? static_cast<double>(font.ascent) / font.emUnits : 0.8;
  return kGlyphMargin + kEmPixels * std::clamp(ascent, 0.0, 1.0);
}

QString joinedLines(const std::vector<std::string>& lines) {
  QStringList out;
  for (const std::string& line : lines) out.push_back(displayString(line));
  return out.join(u'\n');
}

}  // namespace

int GlyphListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_font.glyphs.size());
}

QVariant GlyphListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole) return displayString(glyphCodeText(m_font, static_cast<std::size_t>(index.row())));
  if (role == Qt::DecorationRole) return glyphPicture(index.row());
  return {};
}

QPixmap GlyphListModel::glyphPicture(int row) const {
  if (const auto found = m_pictures.constFind(row); found != m_pictures.constEnd()) return *found;
  const std::string svg = glyphSvg(m_font.glyphs[static_cast<std::size_t>(row)].outline, m_font.emUnits, kEmPixels,
                                   kGlyphMargin, baselineOf(m_font), kGlyphPixels, kGlyphPixels);
  const RasterResult raster = rasterizeSvg(svg);
  QPixmap picture(kGlyphPixels, kGlyphPixels);
  picture.fill(Qt::white);
  QPixmap glyph;
  if (glyph.loadFromData(raster.png.data(), static_cast<uint>(raster.png.size()))) {
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, glyph);
  }
  m_pictures.insert(row, picture);
  return picture;
}

CFontFrameWnd::CFontFrameWnd(const std::string& title, SwfFont font, MessageSink& messages, ShellPrompts& prompts,
                             QWidget* parent)
    : CObjectFrameWnd(parent),
      m_font(std::move(font)),
      m_messages(messages),
      m_prompts(prompts),
      m_summary(new QLabel(this)),
      m_glyphs(new QListView(this)) {
  setWindowTitle(displayString(title));
  auto* toolbar = addToolBar(QStringLiteral("Font"));
  toolbar->setObjectName(QStringLiteral("fontToolbar"));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolbar->addAction(addCommand(cmd::kExtractObject, m_font.isDefineFont4() ? QStringLiteral("Save As OTF")
                                                                              : QStringLiteral("Save As TTF")));

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  m_summary->setText(joinedLines(fontSummaryLines(m_font)));
  m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(m_summary);
  if (!m_font.faults.empty()) {
    auto* faults = new QLabel(joinedLines(m_font.faults), central);
    faults->setObjectName(QStringLiteral("fontFaults"));
    faults->setStyleSheet(QStringLiteral("color: #aa1414"));
    layout->addWidget(faults);
  }
  m_glyphs->setViewMode(QListView::IconMode);
  m_glyphs->setResizeMode(QListView::Adjust);
  m_glyphs->setMovement(QListView::Static);
  m_glyphs->setUniformItemSizes(true);
  m_glyphs->setIconSize(QSize(GlyphListModel::kGlyphPixels, GlyphListModel::kGlyphPixels));
  m_glyphs->setGridSize(QSize(GlyphListModel::kGlyphPixels + 40, GlyphListModel::kGlyphPixels + 28));
  m_glyphs->setModel(new GlyphListModel(m_font, m_glyphs));
  layout->addWidget(m_glyphs, 1);
  setCentralWidget(central);
}

void CFontFrameWnd::runCommand(int id) {
  if (id == cmd::kExtractObject) save();
}

void CFontFrameWnd::save() {
  const FontFile file = fontFileOf(m_font);
  const QString filter = file.extension == ".otf" ? QStringLiteral("OpenType Fonts (.otf) (*.otf)")
                                                  : QStringLiteral("TrueType Fonts (.ttf) (*.ttf)");
  const std::optional<std::string> chosen = m_prompts.savePath(this, filter, std::string());
  if (chosen) static_cast<void>(saveFontFile(file, *chosen, m_messages));
}

}  // namespace orvane
