#include "vector/DisplayList.h"

#include "movie/BitReader.h"
#include "movie/TagHeader.h"

namespace orvane {

namespace {

constexpr std::uint8_t kPlaceMove = 0x01;
constexpr std::uint8_t kPlaceHasCharacter = 0x02;
constexpr std::uint8_t kPlaceHasMatrix = 0x04;
constexpr std::uint8_t kPlaceHasColorTransform = 0x08;
constexpr std::uint8_t kPlaceHasRatio = 0x10;
constexpr std::uint8_t kPlaceHasName = 0x20;
constexpr std::uint8_t kPlaceHasClipDepth = 0x40;
constexpr std::uint8_t kPlace3HasClassName = 0x08;
constexpr std::uint8_t kPlace3HasImage = 0x10;

std::span<const std::uint8_t> bodyOf(const DisplayTag& tag, std::span<const std::uint8_t> movie) {
  if (tag.body.offset >= movie.size()) return {};
  return movie.subspan(tag.body.offset, std::min<std::size_t>(tag.body.length, movie.size() - tag.body.offset));
}

class DisplayListBuilder {
 public:
  explicit DisplayListBuilder(std::span<const std::uint8_t> movie) : m_movie(movie) {}

  void apply(const DisplayTag& tag) {
    BitReader reader(bodyOf(tag, m_movie));
    switch (tag.code) {
      case tag::kShowFrame: ++m_frame; break;
      case tag::kPlaceObject: placeObject(reader); break;
      case tag::kPlaceObject2: placeObject2(reader, reader.readU8(), 0); break;
      case tag::kPlaceObject3: {
        const std::uint8_t flags = reader.readU8();
        placeObject2(reader, flags, reader.readU8());
        break;
      }
      case tag::kRemoveObject:
        reader.readU16();
        remove(reader);
        break;
      case tag::kRemoveObject2: remove(reader); break;
      default: break;
    }
  }

  std::uint32_t frame() const { return m_frame; }
  DisplayList take() { return std::move(m_list); }

 private:
  void placeObject(BitReader& reader) {
    PlacedObject placed;
    placed.characterId = reader.readU16();
    placed.depth = reader.readU16();
    placed.transform = Transform::of(readMatrix(reader));
    if (reader.exhausted()) return;
    // The colour transform is there only when the body has room for it.
    if (reader.remaining() > 0) {
      const SwfColorTransform colors = readColorTransform(reader, false);
      if (!reader.exhausted()) placed.colors = ColorTransform::of(colors);
    }
    placed.placedInFrame = m_frame;
    m_list[placed.depth] = placed;
  }

  void placeObject2(BitReader& reader, std::uint8_t flags, std::uint8_t moreFlags) {
    const std::uint16_t depth = reader.readU16();
    if ((moreFlags & kPlace3HasClassName) || ((moreFlags & kPlace3HasImage) && (flags & kPlaceHasCharacter))) {
      reader.readString();
    }
    if (reader.exhausted()) return;
    const auto existing = m_list.find(depth);
    const bool move = (flags & kPlaceMove) != 0;
    PlacedObject placed;
    if (move) {
      // A move changes an object that is there; there is nothing to move otherwise.
      if (existing == m_list.end()) return;
      placed = existing->second;
    }
    placed.depth = depth;
    if (flags & kPlaceHasCharacter) {
      const std::uint16_t id = reader.readU16();
      if (!move || id != placed.characterId) placed.placedInFrame = m_frame;
      placed.characterId = id;
    } else if (!move) {
      return;
    }
    if (!move) placed.placedInFrame = m_frame;
    if (flags & kPlaceHasMatrix) placed.transform = Transform::of(readMatrix(reader));
    if (flags & kPlaceHasColorTransform) placed.colors = ColorTransform::of(readColorTransform(reader, true));
    if (flags & kPlaceHasRatio) placed.ratio = reader.readU16();
    if (flags & kPlaceHasName) placed.name = reader.readString();
    if (flags & kPlaceHasClipDepth) placed.clipDepth = reader.readU16();
    m_list[depth] = placed;
  }

  void remove(BitReader& reader) {
    const std::uint16_t depth = reader.readU16();
    if (!reader.exhausted()) m_list.erase(depth);
  }

  std::span<const std::uint8_t> m_movie;
  DisplayList m_list;
  std::uint32_t m_frame = 0;
};

}  // namespace

DisplayList displayListAt(std::span<const DisplayTag> tags, std::span<const std::uint8_t> movie,
                          std::uint32_t frame) {
  DisplayListBuilder builder(movie);
  for (const DisplayTag& tag : tags) {
    if (tag.code == tag::kShowFrame && builder.frame() == frame) break;
    builder.apply(tag);
  }
  return builder.take();
}

}  // namespace orvane
