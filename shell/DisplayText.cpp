#include "shell/DisplayText.h"

#include <QStringDecoder>
#include <algorithm>

namespace orvane {

DisplayText::DisplayText(std::string_view bytes) {
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
  if (ascii) {
    m_text = QString::fromLatin1(view);
    return;
  }
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = decoder.decode(view);
  if (decoder.hasError()) {
    m_text = QString::fromLatin1(view);
    return;
  }
  m_text = std::move(decoded);
  m_utf8 = true;
  m_positions.resize(bytes.size());
  int position = 0;
  int previousUnits = 0;  // UTF-16 units of the character before the current one
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if ((byte & 0xC0) != 0x80) {
      position += previousUnits;
      previousUnits = byte >= 0xF0 ? 2 : 1;
    }
    m_positions[i] = position;
  }
}

int DisplayText::position(std::size_t offset) const {
  if (m_positions.empty()) return static_cast<int>(offset);
  if (offset >= m_positions.size()) return static_cast<int>(m_text.size());
  return m_positions[offset];
}

std::size_t DisplayText::byteOffset(int position) const {
  if (position <= 0) return 0;
  if (m_positions.empty()) return std::min(static_cast<std::size_t>(position), static_cast<std::size_t>(m_text.size()));
  return static_cast<std::size_t>(std::lower_bound(m_positions.begin(), m_positions.end(), position) -
                                  m_positions.begin());
}

QByteArray DisplayText::bytesOf(const QString& piece) const { return m_utf8 ? piece.toUtf8() : piece.toLatin1(); }

QString displayString(const std::string& bytes) { return DisplayText(bytes).text(); }

}  // namespace orvane
