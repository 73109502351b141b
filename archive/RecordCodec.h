// The byte form in which a scanning worker hands a file's record to the archive's writer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_set>
#include <vector>

#include "archive/ArchiveRecords.h"

namespace orvane {

/// The texts one worker has sent in this run: each is sent once, later objects with the same
/// text carry only its digest. Forgets everything when it grows past a million texts.
class SentTexts {
 public:
  /// True the first time a digest is seen (since the last time it forgot).
  bool firstTime(const Digest& digest);

 private:
  struct DigestHash {
    std::size_t operator()(const Digest& digest) const;
  };
  std::unordered_set<Digest, DigestHash> m_sent;
};

/// The record as bytes; the texts `sent` already holds are left out and the others added to it.
std::vector<std::uint8_t> encodeFileRecord(const FileRecord& file, SentTexts& sent);

/// The record back from its bytes; none when they are cut short or malformed.
std::optional<FileRecord> decodeFileRecord(std::span<const std::uint8_t> bytes);

}  // namespace orvane
