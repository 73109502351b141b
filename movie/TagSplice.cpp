#include "movie/TagSplice.h"

#include <algorithm>

#include "movie/BitReader.h"
#include "movie/TagHeader.h"

namespace orvane {

namespace {

constexpr std::uint32_t kShortLengthLimit = 0x3F;
constexpr std::uint32_t kSpriteFields = 4;  // sprite id and frame count before the inner tags

/// One tag on the way from the top of the movie down to the replaced one.
struct TagOnPath {
  TagHeader header;
  bool longForm = false;
};

bool isLongForm(const TagHeader& header) { return header.bodyOffset - header.headerOffset == 6; }

/// The tags whose bodies hold `headerOffset` (the DefineSprites around it), outermost first,
/// and then the tag itself; none when no tag starts there.
std::optional<std::vector<TagOnPath>> pathTo(std::span<const std::uint8_t> image, std::uint32_t firstTagOffset,
                                             std::uint32_t headerOffset) {
  std::vector<TagOnPath> path;
  BitReader reader(image);
  std::uint64_t position = firstTagOffset;
  std::uint64_t limit = image.size();
  while (position + 2 <= limit) {
    reader.setPosition(static_cast<std::uint32_t>(position));
    const TagHeader header = readTagHeader(reader);
    if (reader.exhausted() || header.bodyEnd > limit || header.headerOffset > headerOffset) return std::nullopt;
    if (header.headerOffset == headerOffset) {
      path.push_back({header, isLongForm(header)});
      return path;
    }
    if (header.code == tag::kDefineSprite && header.length >= kSpriteFields && headerOffset < header.bodyEnd) {
      path.push_back({header, isLongForm(header)});
      position = header.bodyOffset + kSpriteFields;
      limit = header.bodyEnd;
      continue;
    }
    position = header.bodyEnd;
  }
  return std::nullopt;
}

void putHeader(std::vector<std::uint8_t>& out, std::uint16_t code, std::uint64_t length, bool longForm) {
  const auto put16 = [&](std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
  };
  if (!longForm) {
    put16(static_cast<std::uint32_t>(code) << 6 | static_cast<std::uint32_t>(length));
    return;
  }
  put16(static_cast<std::uint32_t>(code) << 6 | kShortLengthLimit);
  put16(static_cast<std::uint32_t>(length & 0xFFFF));
  put16(static_cast<std::uint32_t>(length >> 16));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> replaceTagBody(std::span<const std::uint8_t> image,
                                                        std::uint32_t firstTagOffset, std::uint32_t headerOffset,
                                                        std::span<const std::uint8_t> body, std::string& error) {
  std::optional<std::vector<TagOnPath>> path = pathTo(image, firstTagOffset, headerOffset);
  if (!path) {
    error = "no tag starts at offset " + std::to_string(headerOffset);
    return std::nullopt;
  }
  // From the tag outwards: each header takes the long form when its length needs it, and
  // the growth of everything inside it adds to its length.
  std::int64_t growth = static_cast<std::int64_t>(body.size()) - path->back().header.length;
  std::vector<std::uint64_t> lengths(path->size());
  for (std::size_t i = path->size(); i-- > 0;) {
    TagOnPath& tag = (*path)[i];
    const bool replaced = i + 1 == path->size();
    lengths[i] = replaced ? body.size() : static_cast<std::uint64_t>(tag.header.length + growth);
    if (!tag.longForm && lengths[i] >= kShortLengthLimit) {
      tag.longForm = true;
      growth += 4;
    }
    if (lengths[i] > UINT32_MAX) {
      error = "the tag would pass the 4 GiB that its length field holds";
      return std::nullopt;
    }
  }
  const std::int64_t newSize = static_cast<std::int64_t>(image.size()) + growth;
  if (newSize > UINT32_MAX) {
    error = "the movie would pass the 4 GiB that its length field holds";
    return std::nullopt;
  }

  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(newSize));
  std::size_t copied = 0;
  for (std::size_t i = 0; i < path->size(); ++i) {
    const TagOnPath& tag = (*path)[i];
    out.insert(out.end(), image.begin() + copied, image.begin() + tag.header.headerOffset);
    putHeader(out, tag.header.code, lengths[i], tag.longForm);
    copied = tag.header.bodyOffset;
  }
  out.insert(out.end(), body.begin(), body.end());
  out.insert(out.end(), image.begin() + static_cast<std::ptrdiff_t>(path->back().header.bodyEnd), image.end());
  // The declared length of the movie at offset 4.
  const auto length = static_cast<std::uint32_t>(out.size());
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  return out;
}

}  // namespace orvane
