// Showing 8-bit movie text: decoded as UTF-8 where it is valid, as Latin-1 otherwise, with
// the way back to the original bytes for files and the clipboard.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class DisplayText {
 public:
  explicit DisplayText(std::string_view bytes);

  const QString& text() const { return m_text; }
  bool isUtf8() const { return m_utf8; }
  /// The position in text() of the character that holds byte `offset` (offset may be the
  /// byte count, giving the text's length).
  int position(std::size_t offset) const;
  /// The offset of the first byte of the character at `position` of text() (the byte count
  /// at or past its end).
  std::size_t byteOffset(int position) const;
  /// The bytes of a piece of text() as they were in the input.
  QByteArray bytesOf(const QString& piece) const;

 private:
  QString m_text;
  bool m_utf8 = false;
  std::vector<int> m_positions;  // per byte; empty when bytes and characters correspond 1:1
};

/// The text of a short movie string for a label, list or title.
QString displayString(const std::string& bytes);

}  // namespace orvane
