// The objects a scan collects: frame actions, condition actions, images, sounds, buttons,
// sprite instances and ActionScript 3 scripts and classes, each with the display text the
// panels show.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "movie/SwfRecords.h"

namespace orvane {

/// Where one tag body lies in the movie.
struct TagBody {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

class MovieObject {
 public:
  virtual ~MovieObject() = default;

  /// The display text; `details` adds the label, character id, type name and size.
  virtual std::string describe(bool details) const;
  /// Runs when the scan result is cleared.
  virtual void releaseResources() {}

  std::int32_t serial = 0;
  std::string label;
  std::string typeName;
  std::string formatName;
  /// The object window showing the object, owned by the shell; none at first.
  void* openWindow = nullptr;
  std::int32_t frame = 0;
  std::uint32_t headerOffset = 0;
  std::uint32_t bodyEnd = 0;
  std::uint32_t bodyLength = 0;
  std::uint16_t characterId = 0;
  /// The version of the movie that holds the object (0 when not known): how its actions
  /// convert their operands depends on it.
  std::uint16_t movieVersion = 0;

 protected:
  /// " Frame[%d] " and, with details, the label and "tagID[%d] %s Size:%d ".
  std::string baseText(bool details) const;
  /// The label and "tagID[%d] %s Size:%d ".
  std::string detailText() const;
};

/// A frame action, and the base of the condition actions of buttons and sprite instances.
class ActionObject : public MovieObject {
 public:
  std::string describe(bool details) const override;

  std::vector<std::uint8_t> bytes;
  std::uint16_t conditionWord = 0xFFFF;
  std::uint32_t length() const { return static_cast<std::uint32_t>(bytes.size()); }
};

/// The init actions of one sprite (DoInitAction): they run once, before the sprite's first
/// frame. Character id: the sprite's id.
class InitActionObject : public ActionObject {
 public:
  /// "Init Actions For Movie Object (ID %d) " and, with details, what a frame action adds.
  std::string describe(bool details) const override;
};

class ConditionAction : public ActionObject {
 public:
  ConditionAction() {
    serial = -1;
    conditionWord = 0;
  }

  /// A clip event record's whole event flags (32 bits from version 6 on, of which
  /// conditionWord keeps the low 16) and the key code of a key-press event.
  std::uint32_t eventFlags = 0;
  std::uint8_t keyCode = 0;
};

class ImageObject : public MovieObject {
 public:
  std::string describe(bool details) const override;
  /// Deletes the temporary file of a viewable image.
  void releaseResources() override;

  std::string tempFilePath;
  bool viewable = false;
  /// DefineBitsJPEG4's deblocking filter strength (8.8 fixed point); 0 for the other tags.
  std::uint16_t deblocking = 0;
};

class SoundObject : public MovieObject {
 public:
  std::string describe(bool details) const override;

  bool hasFile = false;
  std::string tempFilePath;
  std::uint32_t sampleRate = 0;
  std::uint32_t sampleSize = 0;
  std::uint32_t channels = 0;
  std::uint32_t format = 0;
  std::uint32_t sampleCount = 0;
  std::uint32_t blockCount = 0;
  /// A streaming sound's SoundStreamBlock bodies, in tag order.
  std::vector<TagBody> blocks;
};

/// A DefineVideoStream with the VideoFrame tags that belong to it.
class VideoObject : public MovieObject {
 public:
  std::string describe(bool details) const override;

  std::uint16_t declaredFrames = 0;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t deblocking = 0;
  bool smoothing = false;
  std::uint8_t codecId = 0;
  /// The VideoFrame bodies (stream id and frame number first), in tag order.
  std::vector<TagBody> frames;
};

/// One BUTTONRECORD: a character shown in some of the button's states.
struct ButtonRecord {
  static constexpr std::uint8_t kUp = 0x01;
  static constexpr std::uint8_t kOver = 0x02;
  static constexpr std::uint8_t kDown = 0x04;
  static constexpr std::uint8_t kHitTest = 0x08;

  std::uint8_t states = 0;
  std::uint16_t characterId = 0;
  std::uint16_t depth = 0;
  SwfMatrix matrix;
  /// DefineButton2 only; DefineButton's colours come from DefineButtonCxform, not read.
  SwfColorTransform colorTransform;
};

class ButtonObject : public MovieObject {
 public:
  std::string describe(bool details) const override;
  /// Appends a condition action that copies `bytes`; it takes the owner's frame and tag offsets.
  ConditionAction* addConditionAction(std::uint16_t word, const std::uint8_t* bytes, std::size_t length);

  std::vector<std::unique_ptr<ConditionAction>> conditionActions;
  std::size_t conditionCount() const { return conditionActions.size(); }
  /// The characters of its states, in record order (DefineButton and DefineButton2).
  std::vector<ButtonRecord> records;
};

/// One DoABC (82) or DoABC1 (72) tag as the scan found it. The walk only records it: its
/// scripts and classes are listed by the ActionScript 3 library, which reads the block.
struct AbcTag {
  std::uint16_t code = 0;
  /// DoABC's flags and name; tag 72 has neither.
  std::uint32_t flags = 0;
  std::string name;
  /// The ABC block: the body after the flags and name.
  std::vector<std::uint8_t> block;
  /// The tag's place among the movie's ABC tags, counted from 0.
  std::uint32_t number = 0;
  std::int32_t frame = 0;
  std::string label;
  std::uint32_t headerOffset = 0;
  std::uint32_t bodyEnd = 0;
  std::uint32_t bodyLength = 0;

  /// "DoABC" or "DoABC1".
  const char* typeName() const;
};

/// A script or a class of an ABC block. Character id: the number of its tag.
class AbcObject : public MovieObject {
 public:
  enum class Kind { Script, Class };

  /// "Class %s " with the qualified class name, or "Script %d " with the script's number;
  /// with details followed by the frame and what a frame action adds.
  std::string describe(bool details) const override;

  Kind kind = Kind::Script;
  /// The class's or script's index in its block.
  std::uint32_t index = 0;
  /// A script's number among the movie's scripts, counted from 0.
  std::uint32_t scriptNumber = 0;
  /// A class's qualified name (`flash.display::Sprite`).
  std::string className;
  /// The tag it comes from, owned by the same timeline.
  const AbcTag* tag = nullptr;
};

class InstanceObject : public ButtonObject {
 public:
  std::string describe(bool details) const override;

  std::uint16_t placedCharacterId = 0xFFFF;
  std::uint16_t clipDepth = 0;
  std::string instanceName;
};

}  // namespace orvane
