// Reads the field types of an ABC block (u8, u16, s24, the variable-length u30 / u32 /
// s32, d64, strings by length) over the movie's checked reader.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "movie/BitReader.h"

namespace orvane {

/// The first fault of a read: where it happened and what it was.
struct AbcError {
  std::uint32_t offset = 0;
  std::string message;
};

/// Bounds-checked like `BitReader`, with a sticky fault: after the first fault every read
/// returns 0 (or an empty text) and the fault keeps the offset and text of that first one,
/// so a caller reads a run of fields and checks once.
class AbcReader {
 public:
  explicit AbcReader(std::span<const std::uint8_t> data) : m_reader(data) {}

  std::uint8_t readU8();
  std::uint16_t readU16();
  std::int32_t readS24();
  /// Up to five bytes of seven bits each, least significant first; bits of the fifth
  /// byte beyond the 32 the value holds are dropped.
  std::uint32_t readU32();
  /// The same encoding; a value of 2^30 or more is a fault.
  std::uint32_t readU30();
  /// The 32 bits of the same encoding taken as two's complement, as the player reads them
  /// (short encodings are not sign-extended).
  std::int32_t readS32();
  double readD64();
  /// A u30 length followed by that many bytes of UTF-8.
  std::string readString();
  /// A u30 count of entries that each take at least `minimumEntrySize` bytes; a count the
  /// rest of the block cannot hold is a fault, so no caller reserves room for it.
  std::uint32_t readCount(const char* what, std::uint32_t minimumEntrySize = 1);
  /// A constant pool's count, which counts the entry 0 that the block does not hold: the
  /// number of entries that follow (count - 1, or 0 for a count of 0), checked the same way.
  std::uint32_t readPoolCount(const char* what, std::uint32_t minimumEntrySize);
  /// `what` names the skipped run in the fault.
  void skip(std::uint32_t count, const char* what);

  /// Records a fault at `offset` unless one is already recorded.
  void fail(std::uint32_t offset, std::string message);
  bool failed() const { return m_failed; }
  const AbcError& error() const { return m_error; }

  std::uint32_t position() const { return m_reader.position(); }
  std::uint32_t remaining() const { return m_failed ? 0 : m_reader.remaining(); }
  std::uint32_t size() const { return m_reader.size(); }
  std::span<const std::uint8_t> bytesAt(std::uint32_t offset, std::uint32_t count) const {
    return m_reader.bytesAt(offset, count);
  }

 private:
  bool ensure(std::uint32_t count, const char* what);
  std::uint32_t checkedEntries(std::uint32_t start, const char* what, std::uint32_t count, std::uint32_t entries,
                               std::uint32_t minimumEntrySize);

  BitReader m_reader;
  bool m_failed = false;
  AbcError m_error;
};

}  // namespace orvane
