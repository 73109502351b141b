#include "objects/FlvFile.h"

#include <array>
#include <cstdio>

namespace orvane {
namespace {

constexpr std::uint8_t kHasAudio = 0x04;
constexpr std::uint8_t kHasVideo = 0x01;
constexpr std::uint32_t kHeaderLength = 9;
constexpr std::uint32_t kTagHeaderLength = 11;

void putBigEndian(std::uint8_t* out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i, value >>= 8) out[i] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

bool FlvFile::create(const std::string& path, TagType content) {
  m_path = path;
  m_failed = false;
  if (!m_file.open(path, BinaryFile::Mode::Create)) return false;
  std::array<std::uint8_t, kHeaderLength + 4> header{'F', 'L', 'V', 1};
  header[4] = content == TagType::Audio ? kHasAudio : kHasVideo;
  putBigEndian(&header[5], kHeaderLength, 4);
  // The back pointer in front of the first tag is 0.
  m_failed = !m_file.write(header);
  return true;
}

bool FlvFile::writeTag(TagType type, std::uint32_t milliseconds, std::span<const std::uint8_t> head,
                       std::span<const std::uint8_t> payload) {
  const std::size_t length = head.size() + payload.size();
  if (length > kMaxTagData) {
    m_failed = true;
    return false;
  }
  std::array<std::uint8_t, kTagHeaderLength> header{static_cast<std::uint8_t>(type)};
  putBigEndian(&header[1], static_cast<std::uint32_t>(length), 3);
  // The low 24 bits of the time, then its high 8 bits; the stream id stays 0.
  putBigEndian(&header[4], milliseconds & 0xFFFFFF, 3);
  header[7] = static_cast<std::uint8_t>(milliseconds >> 24);
  std::array<std::uint8_t, 4> backPointer{};
  putBigEndian(backPointer.data(), static_cast<std::uint32_t>(kTagHeaderLength + length), 4);
  const bool written = m_file.write(header) && m_file.write(head) && m_file.write(payload) && m_file.write(backPointer);
  m_failed = m_failed || !written;
  return written;
}

bool FlvFile::close() {
  const bool closed = m_file.close();
  if (closed && !m_failed) return true;
  std::remove(m_path.c_str());
  return false;
}

}  // namespace orvane
