#include "objects/BinaryFile.h"

namespace orvane {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

const char* modeText(BinaryFile::Mode mode) {
  switch (mode) {
    case BinaryFile::Mode::Create: return "wb";
    case BinaryFile::Mode::CreateNew: return "wbx";
    case BinaryFile::Mode::Update: return "r+b";
    case BinaryFile::Mode::Append: return "ab";
  }
  return "rb";
}

}  // namespace

BinaryFile::~BinaryFile() {
  if (m_file != nullptr) std::fclose(m_file);
}

bool BinaryFile::open(const std::string& path, Mode mode) {
  if (m_file != nullptr) std::fclose(m_file);
  m_failed = false;
  m_file = std::fopen(path.c_str(), modeText(mode));
  if (m_file == nullptr) return false;
  std::setvbuf(m_file, nullptr, _IOFBF, kBufferSize);
  return true;
}

bool BinaryFile::write(std::span<const std::uint8_t> bytes) {
  if (m_file == nullptr || m_failed) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) m_failed = true;
  return !m_failed;
}

bool BinaryFile::seek(std::uint64_t offset) {
  if (m_file == nullptr || m_failed) return false;
  if (fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) != 0) m_failed = true;
  return !m_failed;
}

bool BinaryFile::length(std::uint64_t& length) {
  if (m_file == nullptr || m_failed || fseeko(m_file, 0, SEEK_END) != 0) return false;
  const off_t end = ftello(m_file);
  if (end < 0) return false;
  length = static_cast<std::uint64_t>(end);
  return true;
}

bool BinaryFile::close() {
  if (m_file == nullptr) return false;
  const bool flushed = std::fclose(m_file) == 0;
  m_file = nullptr;
  return flushed && !m_failed;
}

}  // namespace orvane
