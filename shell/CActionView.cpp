#include "shell/CActionView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMimeData>
#include <algorithm>

namespace orvane {

namespace {

QColor toColour(Rgb value) { return QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF); }

QFont baseFont() {
  QFont font(QStringLiteral("Courier New"), 9);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace

void RangeHighlighter::setRanges(std::vector<Range> ranges) {
  m_ranges = std::move(ranges);
  rehighlight();
}

void RangeHighlighter::highlightBlock(const QString& text) {
  const int blockStart = currentBlock().position();
  const int blockEnd = blockStart + static_cast<int>(text.size()) + 1;  // with its line break
  auto range = std::upper_bound(m_ranges.begin(), m_ranges.end(), blockStart,
                                [](int position, const Range& r) { return position < r.end; });
  for (; range != m_ranges.end() && range->start < blockEnd; ++range) {
    const int from = std::max(range->start, blockStart) - blockStart;
    const int to = std::min(range->end, blockEnd) - blockStart;
    QTextCharFormat format;
    format.setForeground(range->colour);
    setFormat(from, to - from, format);
  }
}

CActionView::CActionView(QWidget* parent) : QPlainTextEdit(parent), m_highlighter(new RangeHighlighter(document())) {
  setObjectName(QStringLiteral("actionText"));
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(baseFont());
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void CActionView::showText(const std::string& bytes, const KeywordTable& table) {
  m_bytes = bytes;
  m_display = std::make_unique<DisplayText>(m_bytes);
  setUpdatesEnabled(false);
  m_highlighter->setRanges({});
  setPlainText(m_display->text());
  recolour(table);
  moveCursor(QTextCursor::Start);
  setUpdatesEnabled(true);
}

void CActionView::recolour(const KeywordTable& table) {
  if (!m_display) return;
  std::vector<RangeHighlighter::Range> ranges;
  for (const ColourRange& range : colourRanges(m_bytes, table)) {
    ranges.push_back(
        {m_display->position(range.start), m_display->position(range.start + range.length), toColour(range.colour)});
  }
  m_highlighter->setRanges(std::move(ranges));
}

QByteArray CActionView::selectedBytes() const {
  if (!m_display) return {};
  // The document holds paragraph separators where the text had line feeds.
  QString selection = textCursor().selectedText();
  selection.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return m_display->bytesOf(selection);
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

bool CActionView::canCopy() const { return textCursor().selectionEnd() > 0; }

void CActionView::contextMenuEvent(QContextMenuEvent* event) {
  emit contextMenuWanted(event->globalPos());
  event->accept();
}

}  // namespace orvane
