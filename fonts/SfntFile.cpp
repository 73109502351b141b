#include "fonts/SfntFile.h"

#include <algorithm>

#include "fonts/BigEndianWriter.h"

namespace orvane {
namespace {

constexpr std::uint32_t kChecksumMagic = 0xB1B0AFBA;
constexpr std::size_t kHeadAdjustmentOffset = 8;

}  // namespace

void SfntFile::addTable(std::string tag, std::vector<std::uint8_t> data) {
  m_tables.push_back({std::move(tag), std::move(data)});
}

std::uint32_t SfntFile::checksum(const std::vector<std::uint8_t>& data) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < data.size(); i += 4) {
    std::uint32_t word = 0;
    for (std::size_t j = 0; j < 4; ++j) word = (word << 8) | (i + j < data.size() ? data[i + j] : 0);
    sum += word;
  }
  return sum;
}

std::vector<std::uint8_t> SfntFile::build() const {
  std::vector<const Table*> tables;
  for (const Table& table : m_tables) tables.push_back(&table);
  std::sort(tables.begin(), tables.end(), [](const Table* a, const Table* b) { return a->tag < b->tag; });

  const auto count = static_cast<std::uint32_t>(tables.size());
  std::uint32_t power = 1;
  std::uint32_t log2 = 0;
  while (power * 2 <= count) power *= 2, ++log2;

  BigEndianWriter file;
  file.u32(0x00010000);
  file.u16(count);
  file.u16(power * 16);
  file.u16(log2);
  file.u16(count * 16 - power * 16);
  std::size_t offset = 12 + 16 * tables.size();
  std::size_t headOffset = 0;
  for (const Table* table : tables) {
    if (table->tag == "head") headOffset = offset;
    file.tag(table->tag);
    file.u32(checksum(table->data));
    file.u32(static_cast<std::uint32_t>(offset));
    file.u32(static_cast<std::uint32_t>(table->data.size()));
    offset += (table->data.size() + 3) / 4 * 4;
  }
  for (const Table* table : tables) {
    file.bytes(table->data);
    file.padTo(4);
  }
  std::vector<std::uint8_t> bytes = file.take();
  if (headOffset != 0 && headOffset + kHeadAdjustmentOffset + 4 <= bytes.size()) {
    const std::uint32_t adjustment = kChecksumMagic - checksum(bytes);
    for (std::size_t i = 0; i < 4; ++i)
      bytes[headOffset + kHeadAdjustmentOffset + i] = static_cast<std::uint8_t>(adjustment >> (24 - 8 * i));
  }
  return bytes;
}

}  // namespace orvane
