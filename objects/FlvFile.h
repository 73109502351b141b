// FLV files written tag by tag: the file header, then audio or video tags with their
// timestamps, each followed by its back pointer.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "objects/BinaryFile.h"

namespace orvane {

class FlvFile {
 public:
  enum class TagType : std::uint8_t { Audio = 8, Video = 9 };

  /// Creates the file and writes the header announcing audio or video tags.
  [[nodiscard]] bool create(const std::string& path, TagType content);
  /// One tag whose data is `head` followed by `payload`, at `milliseconds`. False when the
  /// data is longer than a tag holds (16 MiB) or a write failed.
  bool writeTag(TagType type, std::uint32_t milliseconds, std::span<const std::uint8_t> head,
                std::span<const std::uint8_t> payload);
  /// Closes; false when any write failed (the file is then removed).
  [[nodiscard]] bool close();
  /// Closes and removes the file, for data found damaged half way.
  void abandon() {
    m_failed = true;
    (void)close();
  }

  static constexpr std::size_t kMaxTagData = 0xFFFFFF;

 private:
  BinaryFile m_file;
  std::string m_path;
  bool m_failed = false;
};

}  // namespace orvane
