// The fonts of a scanned movie by character id, each decoded when first asked for.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "fonts/SwfFont.h"

namespace orvane {

class FontObject;
class ScanResult;

/// Not thread-safe: lookups decode and keep fonts.
class FontLibrary {
 public:
  /// The fonts of every timeline of `result`; `movie` (the scanned bytes) must outlive the library.
  FontLibrary(const ScanResult& result, std::span<const std::uint8_t> movie);
  FontLibrary(std::vector<const FontObject*> fonts, std::span<const std::uint8_t> movie, std::uint8_t movieVersion);

  /// The font defined with `id` (the first definition when a movie repeats one), or none.
  const SwfFont* font(std::uint16_t id) const;
  /// The first font named `name` (as DefineFont2/3/4 or DefineFontInfo names it, ASCII case
  /// aside), preferring one with glyphs, then one of the given style; none when no font has
  /// the name.
  const SwfFont* fontNamed(const std::string& name, bool bold, bool italic) const;

 private:
  std::unordered_map<std::uint16_t, const FontObject*> m_objects;
  std::vector<std::uint16_t> m_order;  // ids in definition order
  std::span<const std::uint8_t> m_movie;
  std::uint8_t m_version = 0;
  mutable std::unordered_map<std::uint16_t, std::unique_ptr<SwfFont>> m_decoded;
};

}  // namespace orvane
