#include "tests/support/MovieBuilder.h"

#include <algorithm>

#include "tests/support/BitPacker.h"

namespace orvane::test {

ByteWriter& ByteWriter::u8(std::uint32_t value) {
  m_data.push_back(static_cast<std::uint8_t>(value));
  return *this;
}
ByteWriter& ByteWriter::u16(std::uint32_t value) { return u8(value).u8(value >> 8); }
ByteWriter& ByteWriter::u32(std::uint32_t value) { return u16(value).u16(value >> 16); }
ByteWriter& ByteWriter::bytes(const Bytes& data) {
  m_data.insert(m_data.end(), data.begin(), data.end());
  return *this;
}
ByteWriter& ByteWriter::string(const std::string& text) {
  m_data.insert(m_data.end(), text.begin(), text.end());
  return u8(0);
}

Bytes rectBytes(std::int32_t xMin, std::int32_t xMax, std::int32_t yMin, std::int32_t yMax) {
  unsigned bits = 0;
  for (std::int32_t value : {xMin, xMax, yMin, yMax})
    if (value != 0) bits = std::max(bits, signedBitsFor(value));
  BitPacker packer;
  packer.put(bits, 5);
  for (std::int32_t value : {xMin, xMax, yMin, yMax}) packer.put(static_cast<std::uint32_t>(value), bits);
  return packer.finish();
}

Bytes identityMatrix() { return {0x00}; }

TagList& TagList::tag(std::uint16_t code, const Bytes& body, bool longForm) {
  ByteWriter writer;
  if (!longForm && body.size() < 0x3F) {
    writer.u16(static_cast<std::uint32_t>(code << 6) | static_cast<std::uint32_t>(body.size()));
  } else {
    writer.u16(static_cast<std::uint32_t>(code << 6) | 0x3Fu).u32(static_cast<std::uint32_t>(body.size()));
  }
  writer.bytes(body);
  return raw(writer.data());
}

TagList& TagList::rawTag(std::uint16_t code, std::uint32_t declaredLength, const Bytes& body) {
  ByteWriter writer;
  writer.u16(static_cast<std::uint32_t>(code << 6) | 0x3Fu).u32(declaredLength).bytes(body);
  return raw(writer.data());
}

TagList& TagList::raw(const Bytes& bytes) {
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
  return *this;
}

TagList& TagList::end() { return tag(0, {}); }
TagList& TagList::showFrame() { return tag(1, {}); }
TagList& TagList::frameLabel(const std::string& name) { return tag(43, ByteWriter().string(name).take()); }
TagList& TagList::doAction(const Bytes& actions) { return tag(12, actions); }

TagList& TagList::defineButton(std::uint16_t id, const Bytes& actions) {
  ByteWriter body;
  body.u16(id).u8(0x08).u16(1).u16(1).bytes(identityMatrix()).u8(0).bytes(actions);
  return tag(7, body.data());
}

TagList& TagList::defineButton2(std::uint16_t id,
                                const std::vector<std::pair<std::uint16_t, Bytes>>& conditions) {
  ByteWriter records;
  // One button record: flags, character, depth, matrix, colour transform (no terms).
  records.u8(0x08).u16(1).u16(1).bytes(identityMatrix()).u8(0x00).u8(0);
  ByteWriter body;
  body.u16(id).u8(0);
  body.u16(conditions.empty() ? 0 : static_cast<std::uint32_t>(2 + records.data().size()));
  body.bytes(records.data());
  for (std::size_t i = 0; i < conditions.size(); ++i) {
    const bool last = i + 1 == conditions.size();
    const Bytes& actions = conditions[i].second;
    body.u16(last ? 0 : static_cast<std::uint32_t>(4 + actions.size())).u16(conditions[i].first).bytes(actions);
  }
  return tag(34, body.data());
}

namespace {

/// The clip actions of a PlaceObject2 or PlaceObject3: reserved word, all event flags, the
/// records and the final zero.
void writeClipActions(ByteWriter& body, bool wide, const std::vector<ClipAction>& clips) {
  std::uint32_t all = 0;
  for (const ClipAction& clip : clips) all |= clip.events;
  body.u16(0);
  if (wide) body.u32(all); else body.u16(all);
  for (const ClipAction& clip : clips) {
    const bool keyPress = wide && (clip.events & 0x00020000) != 0;
    if (wide) body.u32(clip.events); else body.u16(clip.events);
    body.u32(static_cast<std::uint32_t>(clip.actions.size() + (keyPress ? 1 : 0)));
    if (keyPress) body.u8(clip.keyCode);
    body.bytes(clip.actions);
  }
  if (wide) body.u32(0); else body.u16(0);
}

}  // namespace

TagList& TagList::placeObject2(std::uint8_t version, std::uint16_t depth, std::uint16_t characterId,
                               const std::string& name, std::uint16_t clipDepth,
                               const std::vector<ClipAction>& clips) {
  std::uint8_t flags = 0x80 | 0x02;
  if (!name.empty()) flags |= 0x20;
  if (clipDepth != 0) flags |= 0x40;
  ByteWriter body;
  body.u8(flags).u16(depth).u16(characterId);
  if (!name.empty()) body.string(name);
  if (clipDepth != 0) body.u16(clipDepth);
  writeClipActions(body, version >= 6, clips);
  return tag(26, body.data());
}

TagList& TagList::placeObject3(std::uint16_t depth, std::uint16_t characterId, const std::string& name,
                               std::uint16_t clipDepth, const PlaceObject3Fields& fields,
                               const std::vector<ClipAction>& clips) {
  std::uint8_t flags = 0x80 | 0x10 | 0x04 | 0x02;
  if (!name.empty()) flags |= 0x20;
  if (clipDepth != 0) flags |= 0x40;
  std::uint8_t moreFlags = 0;
  if (fields.background >= 0) moreFlags |= 0x40;
  if (fields.visible >= 0) moreFlags |= 0x20;
  if (!fields.className.empty()) moreFlags |= 0x08;
  if (fields.cacheAsBitmap >= 0) moreFlags |= 0x04;
  if (fields.blendMode >= 0) moreFlags |= 0x02;
  if (!fields.filterList.empty()) moreFlags |= 0x01;
  ByteWriter body;
  body.u8(flags).u8(moreFlags).u16(depth);
  if (!fields.className.empty()) body.string(fields.className);
  body.u16(characterId).bytes(identityMatrix()).u16(0x1234);
  if (!name.empty()) body.string(name);
  if (clipDepth != 0) body.u16(clipDepth);
  body.bytes(fields.filterList);
  if (fields.blendMode >= 0) body.u8(static_cast<std::uint32_t>(fields.blendMode));
  if (fields.cacheAsBitmap >= 0) body.u8(static_cast<std::uint32_t>(fields.cacheAsBitmap));
  if (fields.visible >= 0) body.u8(static_cast<std::uint32_t>(fields.visible));
  if (fields.background >= 0) body.u32(static_cast<std::uint32_t>(fields.background));
  writeClipActions(body, true, clips);
  return tag(70, body.data());
}

TagList& TagList::doInitAction(std::uint16_t spriteId, const Bytes& actions) {
  return tag(59, ByteWriter().u16(spriteId).bytes(actions).take());
}

TagList& TagList::placeObject2Plain(std::uint16_t depth, std::uint16_t characterId) {
  return tag(26, ByteWriter().u8(0x06).u16(depth).u16(characterId).bytes(identityMatrix()).take());
}

TagList& TagList::defineSprite(std::uint16_t id, std::uint16_t frameCount, const TagList& tags) {
  return tag(39, ByteWriter().u16(id).u16(frameCount).bytes(tags.bytes()).take());
}

TagList& TagList::jpegTables(const Bytes& tables) { return tag(8, tables); }

TagList& TagList::defineBits(std::uint16_t id, const Bytes& jpeg) {
  return tag(6, ByteWriter().u16(id).bytes(jpeg).take());
}

TagList& TagList::defineBitsJpeg2(std::uint16_t id, const Bytes& jpeg) {
  return tag(21, ByteWriter().u16(id).bytes(jpeg).take());
}

TagList& TagList::defineBitsJpeg3(std::uint16_t id, const Bytes& jpeg, const Bytes& alpha) {
  return tag(35, ByteWriter().u16(id).u32(static_cast<std::uint32_t>(jpeg.size())).bytes(jpeg).bytes(alpha).take());
}

TagList& TagList::defineBitsJpeg4(std::uint16_t id, std::uint16_t deblocking, const Bytes& jpeg,
                                  const Bytes& alpha) {
  return tag(90, ByteWriter()
                     .u16(id)
                     .u32(static_cast<std::uint32_t>(jpeg.size()))
                     .u16(deblocking)
                     .bytes(jpeg)
                     .bytes(alpha)
                     .take());
}

TagList& TagList::defineVideoStream(std::uint16_t id, std::uint16_t frames, std::uint16_t width,
                                    std::uint16_t height, std::uint8_t deblocking, bool smoothing,
                                    std::uint8_t codecId) {
  const std::uint8_t flags = static_cast<std::uint8_t>(((deblocking & 7) << 1) | (smoothing ? 1 : 0));
  return tag(60, ByteWriter().u16(id).u16(frames).u16(width).u16(height).u8(flags).u8(codecId).take());
}

TagList& TagList::videoFrame(std::uint16_t streamId, std::uint16_t frameNumber, const Bytes& data) {
  return tag(61, ByteWriter().u16(streamId).u16(frameNumber).bytes(data).take());
}

TagList& TagList::defineBitsLossless(bool alpha, std::uint16_t id, std::uint8_t format, std::uint16_t width,
                                     std::uint16_t height, std::uint8_t colorTableSize, const Bytes& zlibData) {
  ByteWriter body;
  body.u16(id).u8(format).u16(width).u16(height);
  if (format == 3) body.u8(colorTableSize);
  body.bytes(zlibData);
  return tag(alpha ? 36 : 20, body.data());
}

TagList& TagList::defineSound(std::uint16_t id, std::uint8_t format, std::uint8_t rate, bool sixteenBit,
                              bool stereo, std::uint32_t sampleCount, const Bytes& data) {
  const std::uint8_t fields = static_cast<std::uint8_t>((format << 4) | ((rate & 3) << 2) |
                                                        (sixteenBit ? 2 : 0) | (stereo ? 1 : 0));
  return tag(14, ByteWriter().u16(id).u8(fields).u32(sampleCount).bytes(data).take());
}

TagList& TagList::soundStreamHead(bool second, std::uint8_t rate, bool sixteenBit, bool stereo,
                                  std::uint8_t format, std::uint16_t samplesPerBlock) {
  const std::uint8_t playback =
      static_cast<std::uint8_t>(((rate & 3) << 2) | (sixteenBit ? 2 : 0) | (stereo ? 1 : 0));
  const std::uint8_t stream = static_cast<std::uint8_t>((format << 4) | playback);
  return tag(second ? 45 : 18, ByteWriter().u8(playback).u8(stream).u16(samplesPerBlock).take());
}

TagList& TagList::soundStreamBlock(const Bytes& data) { return tag(19, data); }

MovieBuilder& MovieBuilder::rect(std::int32_t xMin, std::int32_t xMax, std::int32_t yMin, std::int32_t yMax) {
  m_rect = rectBytes(xMin, xMax, yMin, yMax);
  return *this;
}

Bytes MovieBuilder::header(std::uint32_t declaredLength) const {
  ByteWriter writer;
  writer.u8('F').u8('W').u8('S').u8(m_version).u32(declaredLength).bytes(m_rect).u16(m_frameRate).u16(m_frameCount);
  return writer.take();
}

Bytes MovieBuilder::build() const {
  const std::size_t headerLength = header(0).size();
  Bytes movie = header(static_cast<std::uint32_t>(headerLength + bytes().size()));
  movie.insert(movie.end(), bytes().begin(), bytes().end());
  return movie;
}

TagList& TagList::doAbc(std::uint32_t flags, const std::string& name, const Bytes& abc) {
  ByteWriter body;
  body.u32(flags).string(name).bytes(abc);
  return tag(82, body.data(), true);
}

TagList& TagList::doAbc1(const Bytes& abc) { return tag(72, abc, true); }

}  // namespace orvane::test
