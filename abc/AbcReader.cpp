#include "abc/AbcReader.h"

#include <bit>
#include <cstring>

namespace orvane {

namespace {
constexpr std::uint32_t kU30Limit = 1u << 30;
constexpr unsigned kVariableLengthBytes = 5;
}  // namespace

void AbcReader::fail(std::uint32_t offset, std::string message) {
  if (m_failed) return;
  m_failed = true;
  m_error = {offset, std::move(message)};
}

bool AbcReader::ensure(std::uint32_t count, const char* what) {
  if (m_failed) return false;
  if (count > m_reader.remaining()) {
    fail(position(), std::string(what) + " runs past the end of the block");
    return false;
  }
  return true;
}

std::uint8_t AbcReader::readU8() { return ensure(1, "a byte") ? m_reader.readU8() : 0; }

std::uint16_t AbcReader::readU16() { return ensure(2, "a 16-bit value") ? m_reader.readU16() : 0; }

std::int32_t AbcReader::readS24() {
  if (!ensure(3, "a 24-bit offset")) return 0;
  std::uint32_t value = m_reader.readU8();
  value |= static_cast<std::uint32_t>(m_reader.readU8()) << 8;
  value |= static_cast<std::uint32_t>(m_reader.readU8()) << 16;
  if (value & 0x800000u) value |= 0xFF000000u;
  return static_cast<std::int32_t>(value);
}

std::uint32_t AbcReader::readU32() {
  std::uint32_t value = 0;
  for (unsigned i = 0; i < kVariableLengthBytes; ++i) {
    if (!ensure(1, "a variable-length integer")) return 0;
    const std::uint8_t byte = m_reader.readU8();
    value |= static_cast<std::uint32_t>(byte & 0x7F) << (7 * i);  // the fifth byte keeps its low 4 bits
    if ((byte & 0x80) == 0) break;
  }
  return value;
}

std::uint32_t AbcReader::readU30() {
  const std::uint32_t start = position();
  const std::uint32_t value = readU32();
  if (value >= kU30Limit) {
    fail(start, "u30 value " + std::to_string(value) + " is out of range");
    return 0;
  }
  return value;
}

std::int32_t AbcReader::readS32() { return static_cast<std::int32_t>(readU32()); }

double AbcReader::readD64() {
  if (!ensure(8, "a double")) return 0.0;
  const std::uint64_t low = m_reader.readU32();
  const std::uint64_t high = m_reader.readU32();
  return std::bit_cast<double>(low | (high << 32));
}

std::string AbcReader::readString() {
  const std::uint32_t length = readU30();
  if (!ensure(length, "a string")) return {};
  const std::span<const std::uint8_t> bytes = m_reader.bytesAt(position(), length);
  m_reader.skip(length);
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::uint32_t AbcReader::readCount(const char* what, std::uint32_t minimumEntrySize) {
  const std::uint32_t start = position();
  const std::uint32_t count = readU30();
  return checkedEntries(start, what, count, count, minimumEntrySize);
}

std::uint32_t AbcReader::readPoolCount(const char* what, std::uint32_t minimumEntrySize) {
  const std::uint32_t start = position();
  const std::uint32_t count = readU30();
  return checkedEntries(start, what, count, count == 0 ? 0 : count - 1, minimumEntrySize);
}

std::uint32_t AbcReader::checkedEntries(std::uint32_t start, const char* what, std::uint32_t count,
                                        std::uint32_t entries, std::uint32_t minimumEntrySize) {
  if (m_failed) return 0;
  if (static_cast<std::uint64_t>(entries) * minimumEntrySize > m_reader.remaining()) {
    fail(start, std::string(what) + " count " + std::to_string(count) + " runs past the end of the block");
    return 0;
  }
  return entries;
}

void AbcReader::skip(std::uint32_t count, const char* what) {
  if (ensure(count, what)) m_reader.skip(count);
}

}  // namespace orvane
