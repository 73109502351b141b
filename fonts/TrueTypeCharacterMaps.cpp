#include "fonts/TrueTypeCharacterMaps.h"

#include <algorithm>
#include <optional>

#include "fonts/BigEndianWriter.h"

namespace orvane {
namespace {

constexpr std::size_t kLargestSubtable = 0xFFFF;
constexpr std::size_t kPairsPerKernSubtable = (kLargestSubtable - 14) / 6;

// The binary-search fields of a table of `count` entries of `entrySize` bytes.
struct SearchFields {
  std::uint32_t searchRange = 0;
  std::uint32_t entrySelector = 0;
  std::uint32_t rangeShift = 0;
};

SearchFields searchFields(std::size_t count, std::uint32_t entrySize) {
  std::uint32_t power = 1;
  std::uint32_t log2 = 0;
  while (power * 2 <= count) power *= 2, ++log2;
  return {power * entrySize, log2, static_cast<std::uint32_t>(count) * entrySize - power * entrySize};
}

// A run of consecutive characters; `deltaOnly` when the glyphs follow the characters.
struct Segment {
  std::size_t first = 0;  // index into the mapping
  std::size_t count = 0;
  bool deltaOnly = true;
};

std::vector<Segment> segmentsOf(const std::vector<CharacterGlyph>& mapping) {
  std::vector<Segment> segments;
  for (std::size_t i = 0; i < mapping.size(); ++i) {
    if (!segments.empty()) {
      Segment& last = segments.back();
      const CharacterGlyph& previous = mapping[i - 1];
      if (mapping[i].character == previous.character + 1) {
        if (mapping[i].glyph != static_cast<std::uint16_t>(previous.glyph + 1)) last.deltaOnly = false;
        ++last.count;
        continue;
      }
    }
    segments.push_back({i, 1, true});
  }
  return segments;
}

std::optional<std::vector<std::uint8_t>> format4(const std::vector<CharacterGlyph>& basicPlane) {
  std::vector<Segment> segments = segmentsOf(basicPlane);
  std::size_t arrayLength = 0;
  for (const Segment& segment : segments)
    if (!segment.deltaOnly) arrayLength += segment.count;
  const std::size_t segmentCount = segments.size() + 1;  // and the closing 0xFFFF segment
  const std::size_t length = 16 + 8 * segmentCount + 2 * arrayLength;
  if (length > kLargestSubtable) return std::nullopt;

  const SearchFields search = searchFields(segmentCount, 2);
  BigEndianWriter out;
  out.u16(4);
  out.u16(static_cast<std::uint32_t>(length));
  out.u16(0);
  out.u16(static_cast<std::uint32_t>(segmentCount * 2));
  out.u16(search.searchRange);
  out.u16(search.entrySelector);
  out.u16(search.rangeShift);
  for (const Segment& segment : segments) out.u16(basicPlane[segment.first + segment.count - 1].character);
  out.u16(0xFFFF);
  out.u16(0);
  for (const Segment& segment : segments) out.u16(basicPlane[segment.first].character);
  out.u16(0xFFFF);
  for (const Segment& segment : segments) {
    const CharacterGlyph& first = basicPlane[segment.first];
    out.u16(segment.deltaOnly ? (first.glyph - first.character) & 0xFFFF : 0);
  }
  out.u16(1);
  std::size_t arrayIndex = 0;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (segments[i].deltaOnly) {
      out.u16(0);
      continue;
    }
    out.u16(static_cast<std::uint32_t>(2 * (segmentCount - i) + 2 * arrayIndex));
    arrayIndex += segments[i].count;
  }
  out.u16(0);
  for (const Segment& segment : segments)
    if (!segment.deltaOnly)
      for (std::size_t i = 0; i < segment.count; ++i) out.u16(basicPlane[segment.first + i].glyph);
  return out.take();
}

std::vector<std::uint8_t> format12(const std::vector<CharacterGlyph>& mapping) {
  struct Group {
    char32_t start;
    char32_t end;
    std::uint16_t glyph;
  };
  std::vector<Group> groups;
  for (const CharacterGlyph& entry : mapping) {
    if (!groups.empty()) {
      Group& last = groups.back();
      if (entry.character == last.end + 1 && entry.glyph == last.glyph + (entry.character - last.start)) {
        last.end = entry.character;
        continue;
      }
    }
    groups.push_back({entry.character, entry.character, entry.glyph});
  }
  BigEndianWriter out;
  out.u16(12);
  out.u16(0);
  out.u32(static_cast<std::uint32_t>(16 + 12 * groups.size()));
  out.u32(0);
  out.u32(static_cast<std::uint32_t>(groups.size()));
  for (const Group& group : groups) {
    out.u32(group.start);
    out.u32(group.end);
    out.u32(group.glyph);
  }
  return out.take();
}

}  // namespace

std::vector<std::uint8_t> cmapTable(std::vector<CharacterGlyph> mapping) {
  std::stable_sort(mapping.begin(), mapping.end(),
                   [](const CharacterGlyph& a, const CharacterGlyph& b) { return a.character < b.character; });
  mapping.erase(std::unique(mapping.begin(), mapping.end(),
                            [](const CharacterGlyph& a, const CharacterGlyph& b) { return a.character == b.character; }),
                mapping.end());
  std::vector<CharacterGlyph> basicPlane;
  for (const CharacterGlyph& entry : mapping)
    if (entry.character < 0xFFFF) basicPlane.push_back(entry);
  const bool beyondBasicPlane = basicPlane.size() != mapping.size();

  std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> subtables;  // encoding, data
  std::optional<std::vector<std::uint8_t>> basic = format4(basicPlane);
  if (basic) subtables.emplace_back(1, std::move(*basic));
  if (beyondBasicPlane || subtables.empty()) subtables.emplace_back(10, format12(mapping));

  BigEndianWriter out;
  out.u16(0);
  out.u16(static_cast<std::uint32_t>(subtables.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(4 + 8 * subtables.size());
  for (const auto& [encoding, data] : subtables) {
    out.u16(3);
    out.u16(encoding);
    out.u32(offset);
    offset += static_cast<std::uint32_t>(data.size());
  }
  for (const auto& subtable : subtables) out.bytes(subtable.second);
  return out.take();
}

std::vector<std::uint8_t> kernTable(std::vector<GlyphKerning> pairs) {
  const auto key = [](const GlyphKerning& pair) { return (static_cast<std::uint32_t>(pair.left) << 16) | pair.right; };
  std::stable_sort(pairs.begin(), pairs.end(), [&](const GlyphKerning& a, const GlyphKerning& b) { return key(a) < key(b); });
  pairs.erase(std::unique(pairs.begin(), pairs.end(), [&](const GlyphKerning& a, const GlyphKerning& b) { return key(a) == key(b); }),
              pairs.end());
  const std::size_t subtableCount = (pairs.size() + kPairsPerKernSubtable - 1) / kPairsPerKernSubtable;
  BigEndianWriter out;
  out.u16(0);
  out.u16(static_cast<std::uint32_t>(subtableCount));
  for (std::size_t start = 0; start < pairs.size(); start += kPairsPerKernSubtable) {
    const std::size_t count = std::min(kPairsPerKernSubtable, pairs.size() - start);
    const SearchFields search = searchFields(count, 6);
    out.u16(0);
    out.u16(static_cast<std::uint32_t>(14 + 6 * count));
    out.u16(0x0001);  // horizontal, format 0
    out.u16(static_cast<std::uint32_t>(count));
    out.u16(search.searchRange);
    out.u16(search.entrySelector);
    out.u16(search.rangeShift);
    for (std::size_t i = start; i < start + count; ++i) {
      out.u16(pairs[i].left);
      out.u16(pairs[i].right);
      out.s16(pairs[i].value);
    }
  }
  return out.take();
}

}  // namespace orvane
