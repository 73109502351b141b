// The text area of an action window: the translation, read-only, coloured by syntax, with
// the matches of the find bar marked.
#pragma once

#include <QColor>
#include <QTextBlock>
#include <QPlainTextEdit>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/TextMatcher.h"
#include "shell/DisplayText.h"
#include "shell/SyntaxColouring.h"

namespace orvane {

/// Colour ranges in document positions, laid onto a block only when it comes into view,
/// so that a large text shows at once and only what is seen is ever coloured.
class BlockColouring {
 public:
  struct Range {
    int start = 0;
    int end = 0;
    QColor colour;
  };

  /// Foreground (syntax) ranges, in increasing order, not overlapping; every block is to
  /// be coloured again.
  void setForeground(std::vector<Range> ranges, int blockCount);
  /// Background (match) ranges likewise.
  void setBackground(std::vector<Range> ranges, int blockCount);
  /// Lays the ranges onto `block` unless that was done since the last change; true when it
  /// did (the block then needs laying out again).
  bool colour(const QTextBlock& block);

 private:
  std::vector<Range> m_foreground;
  std::vector<Range> m_background;
  std::vector<bool> m_coloured;  // by block number
};

class CActionView : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CActionView(QWidget* parent = nullptr);

  /// Shows `bytes` coloured with `table` and puts the caret at the start.
  void showText(const std::string& bytes, const KeywordTable& table);
  /// Colours the shown text again with another table (not while it is edited).
  void recolour(const KeywordTable& table);

  /// The shown text as it came from the translator.
  const std::string& bytes() const { return m_bytes; }
  /// The selection's bytes as they came from the translator.
  QByteArray selectedBytes() const;
  /// A piece of text typed by the user in the encoding of the shown text.
  std::string bytesOf(const QString& piece) const;
  /// Copies the selection's bytes to the clipboard as plain text.
  void copySelection();
  /// Whether the end of the selection is past the start of the text.
  bool canCopy() const;

  /// Selects `length` bytes from byte `offset` of the shown text and scrolls them into view.
  void selectBytes(std::size_t offset, std::size_t length);
  /// Marks every match of `matches` (byte ranges of the shown text); none clears the marks.
  void markMatches(const std::vector<TextMatch>& matches);
  /// The byte offset of the caret in the shown text.
  std::size_t cursorByte() const;

  /// Makes the text editable, shown without colours (their places would not follow the
  /// edits); the caret stays where it was.
  void beginEditing();
  /// Back to the read-only text as it was last shown; the marks of an error go.
  void endEditing(const KeywordTable& table);
  bool isEditing() const { return !isReadOnly(); }
  /// The text as edited, in the encoding of the shown text.
  std::string editedBytes() const;
  /// Marks line `line` and the character at byte `column` of it (both counted from 1, as
  /// the assembler counts them); places outside the text mark its last line.
  void markError(std::uint32_t line, std::uint32_t column);
  void clearError();
  /// The line marked by markError, counted from 1; 0 without a mark.
  std::uint32_t markedLine() const { return m_markedLine; }
  /// The document position of the marked character; -1 without a mark.
  int markedPosition() const { return m_markedPosition; }

 signals:
  /// The right mouse button was pressed over the text, at this global position.
  void contextMenuWanted(QPoint globalPosition);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  /// Copying and dragging hand over the selection's original bytes as plain text.
  QMimeData* createMimeDataFromSelection() const override;

 private:
  std::string m_bytes;
  std::unique_ptr<DisplayText> m_display;
  /// Colours the blocks on screen that are not coloured yet, the first shown one at least.
  void colourVisibleBlocks();

  BlockColouring m_colouring;
  std::uint32_t m_markedLine = 0;
  int m_markedPosition = -1;
};

}  // namespace orvane
