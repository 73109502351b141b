// A binary file written in buffered blocks, with the failures that the writers report.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace orvane {

/// Owns one open stdio stream. Writes go through the stream's buffer, so a run of small
/// writes costs no more system calls than one large one; a write failure sticks and is
/// reported again by close().
class BinaryFile {
 public:
  enum class Mode {
    Create,         // truncate or create
    CreateNew,      // create, failing when the file exists
    Update,         // read and write an existing file from its start
    Append,         // write at the end of an existing file
  };

  BinaryFile() = default;
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  /// False when the file cannot be opened; `errno` tells why.
  [[nodiscard]] bool open(const std::string& path, Mode mode);
  bool isOpen() const { return m_file != nullptr; }

  /// False once any write has failed.
  bool write(std::span<const std::uint8_t> bytes);
  bool write(std::uint8_t byte) { return write(std::span<const std::uint8_t>(&byte, 1)); }
  /// Moves the write position to `offset` from the start.
  bool seek(std::uint64_t offset);
  /// The file's length, from its end; leaves the position at the end.
  [[nodiscard]] bool length(std::uint64_t& length);
  /// Flushes and closes; false when a write or the flush failed.
  [[nodiscard]] bool close();

 private:
  std::FILE* m_file = nullptr;
  bool m_failed = false;
};

}  // namespace orvane
