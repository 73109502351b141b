#include "shell/CActionView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace orvane {

namespace {

QColor toColour(Rgb value) { return QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF); }

const QColor kMatchBackground(255, 238, 120);
const QColor kErrorLineBackground(255, 220, 220);
const QColor kErrorMark(200, 0, 0);

QFont baseFont() {
  QFont font(QStringLiteral("Courier New"), 9);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

/// Adds the pieces of `ranges` inside the block to `formats`, relative to the block's start.
template <typename Style>
void addRangesIn(const std::vector<BlockColouring::Range>& ranges, const QTextBlock& block,
                 QList<QTextLayout::FormatRange>& formats, Style style) {
  const int blockStart = block.position();
  const int blockEnd = blockStart + block.length();  // with its line break
  auto range = std::upper_bound(ranges.begin(), ranges.end(), blockStart,
                                [](int position, const BlockColouring::Range& r) { return position < r.end; });
  for (; range != ranges.end() && range->start < blockEnd; ++range) {
    const int from = std::max(range->start, blockStart) - blockStart;
    const int to = std::min(range->end, blockEnd) - blockStart;
    QTextLayout::FormatRange piece;
    piece.start = from;
    piece.length = to - from;
    style(piece.format, range->colour);
    formats.append(piece);
  }
}

}  // namespace

void BlockColouring::setForeground(std::vector<Range> ranges, int blockCount) {
  m_foreground = std::move(ranges);
  m_coloured.assign(static_cast<std::size_t>(blockCount), false);
}

void BlockColouring::setBackground(std::vector<Range> ranges, int blockCount) {
  m_background = std::move(ranges);
  m_coloured.assign(static_cast<std::size_t>(blockCount), false);
}

bool BlockColouring::colour(const QTextBlock& block) {
  const auto number = static_cast<std::size_t>(block.blockNumber());
  if (number >= m_coloured.size() || m_coloured[number]) return false;
  m_coloured[number] = true;
  QList<QTextLayout::FormatRange> formats;
  addRangesIn(m_foreground, block, formats, [](QTextCharFormat& format, const QColor& colour) {
    format.setForeground(colour);
  });
  // Later ranges are merged over earlier ones: a match keeps its syntax colour.
  addRangesIn(m_background, block, formats, [](QTextCharFormat& format, const QColor& colour) {
    format.setBackground(colour);
  });
  if (formats.isEmpty() && block.layout()->formats().isEmpty()) return false;
  block.layout()->setFormats(formats);
  return true;
}

CActionView::CActionView(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("actionText"));
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(baseFont());
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void CActionView::showText(const std::string& bytes, const KeywordTable& table) {
  m_bytes = bytes;
  m_display = std::make_unique<DisplayText>(m_bytes);
  m_colouring.setForeground({}, 0);
  m_colouring.setBackground({}, 0);
  setPlainText(m_display->text());
  recolour(table);
  moveCursor(QTextCursor::Start);
}

void CActionView::recolour(const KeywordTable& table) {
  // The colours' places are those of the text as shown, not as edited.
  if (!m_display || isEditing()) return;
  std::vector<BlockColouring::Range> ranges;
  for (const ColourRange& range : colourRanges(m_bytes, table)) {
    ranges.push_back(
        {m_display->position(range.start), m_display->position(range.start + range.length), toColour(range.colour)});
  }
  m_colouring.setForeground(std::move(ranges), document()->blockCount());
  colourVisibleBlocks();
}

void CActionView::markMatches(const std::vector<TextMatch>& matches) {
  if (!m_display) return;
  std::vector<BlockColouring::Range> ranges;
  ranges.reserve(matches.size());
  for (const TextMatch& match : matches) {
    ranges.push_back(
        {m_display->position(match.offset), m_display->position(match.offset + match.length), kMatchBackground});
  }
  m_colouring.setBackground(std::move(ranges), document()->blockCount());
  colourVisibleBlocks();
}

void CActionView::colourVisibleBlocks() {
  QTextBlock block = firstVisibleBlock();
  const QPointF offset = contentOffset();
  const qreal bottom = viewport()->height();
  int dirtyFrom = -1;
  int dirtyTo = -1;
  for (bool first = true; block.isValid(); block = block.next(), first = false) {
    // Blocks not laid out yet report no height: the first one is coloured all the same.
    if (!first && blockBoundingGeometry(block).translated(offset).top() > bottom) break;
    if (!m_colouring.colour(block)) continue;
    if (dirtyFrom < 0) dirtyFrom = block.position();
    dirtyTo = block.position() + block.length();
  }
  // New formats need the blocks laid out again, as a syntax highlighter does.
  if (dirtyFrom >= 0) document()->markContentsDirty(dirtyFrom, dirtyTo - dirtyFrom);
}

void CActionView::paintEvent(QPaintEvent* event) {
  colourVisibleBlocks();
  QPlainTextEdit::paintEvent(event);
}

QByteArray CActionView::selectedBytes() const {
  if (!m_display) return {};
  // The document holds paragraph separators where the text had line feeds.
  QString selection = textCursor().selectedText();
  selection.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return m_display->bytesOf(selection);
}

std::string CActionView::bytesOf(const QString& piece) const {
  const QByteArray bytes = m_display ? m_display->bytesOf(piece) : piece.toUtf8();
  return bytes.toStdString();
}

void CActionView::selectBytes(std::size_t offset, std::size_t length) {
  if (!m_display) return;
  QTextCursor cursor(document());
  cursor.setPosition(m_display->position(offset));
  cursor.setPosition(m_display->position(offset + length), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  centerCursor();
}

std::size_t CActionView::cursorByte() const {
  if (!m_display) return 0;
  return m_display->byteOffset(textCursor().selectionStart());
}

QMimeData* CActionView::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setData(QStringLiteral("text/plain"), selectedBytes());
  return data;
}

void CActionView::copySelection() {
  if (!textCursor().hasSelection()) return;
  QApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

void CActionView::beginEditing() {
  if (!m_display) return;
  const int caret = textCursor().position();
  // A fresh document drops the colours laid onto its blocks.
  m_colouring.setForeground({}, 0);
  m_colouring.setBackground({}, 0);
  setPlainText(m_display->text());
  QTextCursor cursor(document());
  cursor.setPosition(std::min(caret, document()->characterCount() - 1));
  setTextCursor(cursor);
  setReadOnly(false);
  setTextInteractionFlags(Qt::TextEditorInteraction);
}

void CActionView::endEditing(const KeywordTable& table) {
  clearError();
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  showText(m_bytes, table);
}

std::string CActionView::editedBytes() const { return bytesOf(toPlainText()); }

void CActionView::markError(std::uint32_t line, std::uint32_t column) {
  const int blockNumber = static_cast<int>(std::min<std::uint32_t>(std::max(line, 1u), document()->blockCount()));
  const QTextBlock block = document()->findBlockByNumber(blockNumber - 1);
  // The column counts bytes of the edited text; a character may take several.
  const QString text = block.text();
  int position = 0;
  for (std::size_t bytes = 1; position < text.size() && bytes < column; ++position)
    bytes += bytesOf(text.mid(position, 1)).size();
  QTextEdit::ExtraSelection lineMark;
  lineMark.cursor = QTextCursor(block);
  lineMark.format.setBackground(kErrorLineBackground);
  lineMark.format.setProperty(QTextFormat::FullWidthSelection, true);
  QTextEdit::ExtraSelection characterMark;
  characterMark.cursor = QTextCursor(block);
  characterMark.cursor.setPosition(block.position() + position);
  characterMark.cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
  characterMark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  characterMark.format.setUnderlineColor(kErrorMark);
  characterMark.format.setForeground(kErrorMark);
  setExtraSelections({lineMark, characterMark});
  m_markedLine = static_cast<std::uint32_t>(blockNumber);
  m_markedPosition = block.position() + position;
}

void CActionView::clearError() {
  setExtraSelections({});
  m_markedLine = 0;
  m_markedPosition = -1;
}

bool CActionView::canCopy() const { return textCursor().selectionEnd() > 0; }

void CActionView::contextMenuEvent(QContextMenuEvent* event) {
  emit contextMenuWanted(event->globalPos());
  event->accept();
}

}  // namespace orvane
