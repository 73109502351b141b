// The text area of an action window: the translation, read-only, coloured by syntax.
#pragma once

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <memory>
#include <string>
#include <vector>

#include "shell/DisplayText.h"
#include "shell/SyntaxColouring.h"

namespace orvane {

/// Paints precomputed colour ranges (positions in the document) block by block.
class RangeHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  struct Range {
    int start = 0;
    int end = 0;
    QColor colour;
  };

  explicit RangeHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}
  /// Ranges in increasing order, not overlapping.
  void setRanges(std::vector<Range> ranges);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  std::vector<Range> m_ranges;
};

class CActionView : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CActionView(QWidget* parent = nullptr);

  /// Shows `bytes` coloured with `table` and puts the caret at the start.
  void showText(const std::string& bytes, const KeywordTable& table);
  /// Colours the shown text again with another table.
  void recolour(const KeywordTable& table);

  /// The shown text as it came from the translator.
  const std::string& bytes() const { return m_bytes; }
  /// The selection's bytes as they came from the translator.
  QByteArray selectedBytes() const;
  /// Copies the selection's bytes to the clipboard as plain text.
  void copySelection();
  /// Whether the end of the selection is past the start of the text.
  bool canCopy() const;

 signals:
  /// The right mouse button was pressed over the text, at this global position.
  void contextMenuWanted(QPoint globalPosition);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  /// Copying and dragging hand over the selection's original bytes as plain text.
  QMimeData* createMimeDataFromSelection() const override;

 private:
  std::string m_bytes;
  std::unique_ptr<DisplayText> m_display;
  RangeHighlighter* m_highlighter;
};

}  // namespace orvane
