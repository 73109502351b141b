// Builds small movies byte by byte for tests: header, RECT, tags in short or long form.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orvane::test {

using Bytes = std::vector<std::uint8_t>;

/// Little-endian field writer.
class ByteWriter {
 public:
  ByteWriter& u8(std::uint32_t value);
  ByteWriter& u16(std::uint32_t value);
  ByteWriter& u32(std::uint32_t value);
  ByteWriter& bytes(const Bytes& data);
  ByteWriter& string(const std::string& text);  // with its terminating zero
  const Bytes& data() const { return m_data; }
  Bytes take() { return std::move(m_data); }

 private:
  Bytes m_data;
};

/// The RECT record with the smallest field width that holds all four values.
Bytes rectBytes(std::int32_t xMin, std::int32_t xMax, std::int32_t yMin, std::int32_t yMax);
/// A MATRIX with no scale, no rotation and a zero translation (one byte).
Bytes identityMatrix();

/// One clip action record of a PlaceObject2.
struct ClipAction {
  std::uint32_t events = 0;
  Bytes actions;
  std::uint8_t keyCode = 0;  // written for key-press events of version 6 movies
};

/// The fields of a PlaceObject3 beside its character, matrix, name, clip depth and clip
/// actions; each is written, with its flag, when it is set.
struct PlaceObject3Fields {
  std::string className;
  Bytes filterList;  // the whole list: the count byte and the filter records
  int blendMode = -1;
  int cacheAsBitmap = -1;
  int visible = -1;              // a field of version 11 and later
  std::int64_t background = -1;  // RGBA, a field of version 11 and later
};

/// A list of tags: the body of a movie or of a sprite.
class TagList {
 public:
  /// Any tag; `longForm` forces the 6-byte header even for short bodies.
  TagList& tag(std::uint16_t code, const Bytes& body, bool longForm = false);
  /// A tag header only, claiming `declaredLength` body bytes, followed by `body`.
  TagList& rawTag(std::uint16_t code, std::uint32_t declaredLength, const Bytes& body);
  TagList& raw(const Bytes& bytes);

  TagList& end();
  TagList& showFrame();
  TagList& frameLabel(const std::string& name);
  TagList& doAction(const Bytes& actions);
  /// DefineButton with one button record, then `actions` (ActionEndFlag included by caller).
  TagList& defineButton(std::uint16_t id, const Bytes& actions);
  /// DefineButton2 with one button record and the given BUTTONCONDACTIONs; the last
  /// record gets CondActionSize 0.
  TagList& defineButton2(std::uint16_t id, const std::vector<std::pair<std::uint16_t, Bytes>>& conditions);
  /// PlaceObject2 with clip actions; `version` chooses 16- or 32-bit event flags.
  TagList& placeObject2(std::uint8_t version, std::uint16_t depth, std::uint16_t characterId,
                        const std::string& name, std::uint16_t clipDepth, const std::vector<ClipAction>& clips);
  /// PlaceObject3 with an identity matrix, a ratio and clip actions (32-bit event flags).
  TagList& placeObject3(std::uint16_t depth, std::uint16_t characterId, const std::string& name,
                        std::uint16_t clipDepth, const PlaceObject3Fields& fields, const std::vector<ClipAction>& clips);
  /// DoInitAction: the sprite id, then the actions.
  TagList& doInitAction(std::uint16_t spriteId, const Bytes& actions);
  /// PlaceObject2 without clip actions (character and matrix only).
  TagList& placeObject2Plain(std::uint16_t depth, std::uint16_t characterId);
  TagList& defineSprite(std::uint16_t id, std::uint16_t frameCount, const TagList& tags);
  TagList& jpegTables(const Bytes& tables);
  TagList& defineBits(std::uint16_t id, const Bytes& jpeg);
  TagList& defineBitsJpeg2(std::uint16_t id, const Bytes& jpeg);
  TagList& defineBitsJpeg3(std::uint16_t id, const Bytes& jpeg, const Bytes& alpha);
  /// DefineBitsJPEG4 with its 8.8 deblocking strength.
  TagList& defineBitsJpeg4(std::uint16_t id, std::uint16_t deblocking, const Bytes& jpeg, const Bytes& alpha);
  /// DefineBitsLossless (`alpha` false) or DefineBitsLossless2; the colour-table size byte
  /// is written for format 3 only.
  TagList& defineBitsLossless(bool alpha, std::uint16_t id, std::uint8_t format, std::uint16_t width,
                              std::uint16_t height, std::uint8_t colorTableSize, const Bytes& zlibData);
  TagList& defineSound(std::uint16_t id, std::uint8_t format, std::uint8_t rate, bool sixteenBit, bool stereo,
                       std::uint32_t sampleCount, const Bytes& data);
  /// SoundStreamHead (or SoundStreamHead2 when `second`).
  TagList& soundStreamHead(bool second, std::uint8_t rate, bool sixteenBit, bool stereo, std::uint8_t format,
                           std::uint16_t samplesPerBlock);
  TagList& soundStreamBlock(const Bytes& data);
  TagList& defineVideoStream(std::uint16_t id, std::uint16_t frames, std::uint16_t width, std::uint16_t height,
                             std::uint8_t deblocking, bool smoothing, std::uint8_t codecId);
  TagList& videoFrame(std::uint16_t streamId, std::uint16_t frameNumber, const Bytes& data);
  /// DoABC (82) with its flags and name, or DoABC1 (72), which has neither.
  TagList& doAbc(std::uint32_t flags, const std::string& name, const Bytes& abc);
  TagList& doAbc1(const Bytes& abc);

  const Bytes& bytes() const { return m_bytes; }

 private:
  Bytes m_bytes;
};

/// A whole uncompressed movie.
class MovieBuilder : public TagList {
 public:
  explicit MovieBuilder(std::uint8_t version = 5) : m_version(version) {}

  MovieBuilder& rect(std::int32_t xMin, std::int32_t xMax, std::int32_t yMin, std::int32_t yMax);
  /// The raw 8.8 value: 0x0C00 is 12 frames per second.
  MovieBuilder& frameRate(std::uint16_t rate) { m_frameRate = rate; return *this; }
  MovieBuilder& frameCount(std::uint16_t count) { m_frameCount = count; return *this; }

  /// The movie; its length field is the real length.
  Bytes build() const;
  /// The header alone (signature through frame count) with the given declared length.
  Bytes header(std::uint32_t declaredLength) const;

 private:
  std::uint8_t m_version;
  Bytes m_rect = rectBytes(0, 11000, 0, 8000);
  std::uint16_t m_frameRate = 0x0C00;
  std::uint16_t m_frameCount = 1;
};

}  // namespace orvane::test
