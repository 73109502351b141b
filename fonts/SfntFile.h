// The container of a TrueType font: the table directory, the tables and their checksums.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class SfntFile {
 public:
  /// Adds a table; `tag` is its four letters. A `head` table gets its checksum adjustment
  /// (bytes 8..11, written as zero by the caller) when the file is built.
  void addTable(std::string tag, std::vector<std::uint8_t> data);
  /// The font file: tables in tag order, each on a 4-byte boundary.
  std::vector<std::uint8_t> build() const;

  /// The sum of the big-endian 32-bit words of `data`, zero-padded to a whole word.
  static std::uint32_t checksum(const std::vector<std::uint8_t>& data);

 private:
  struct Table {
    std::string tag;
    std::vector<std::uint8_t> data;
  };
  std::vector<Table> m_tables;
};

}  // namespace orvane
