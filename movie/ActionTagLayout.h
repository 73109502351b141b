// Where the action blocks of a tag lie (DoAction, DoInitAction, DefineButton, DefineButton2,
// PlaceObject2 and PlaceObject3) with the fields the scan shows beside them, and the tag
// body rebuilt around new blocks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "movie/MovieObject.h"

namespace orvane {

/// The fields of PlaceObject2 and PlaceObject3 that the object tree shows.
struct Placement {
  std::uint16_t placedCharacterId = 0xFFFF;
  std::uint16_t clipDepth = 0;
  std::string instanceName;
};

/// One action block; offsets count from the start of the tag body.
struct ActionBlockPlace {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
  /// A DefineButton2 condition word, or the low 16 bits of a clip event's flags.
  std::uint16_t conditionWord = 0;
  /// A clip event's whole flags (32 bits from version 6 on).
  std::uint32_t eventFlags = 0;
  /// A key-press event's key code, which its record holds in movies of version 6 and later.
  std::uint8_t keyCode = 0;
  bool hasKeyCode = false;
  /// A DefineButton2 record whose size field holds 0, which marks the last one.
  bool sizeFieldZero = false;
};

/// The layout of one tag as the scan reads it. A record whose declared size runs past the
/// body keeps the bytes that are there; nothing outside the body is read.
struct ActionTagLayout {
  std::uint16_t code = 0;
  /// A sprite instance's clip events of version 6 and later: 32-bit flags and key codes.
  bool wideEvents = false;
  /// PlaceObject2 and PlaceObject3: the flags announce clip actions (their fields may still
  /// be cut short).
  bool hasClipActions = false;
  /// Where the records (or the one block of DoAction, DoInitAction and DefineButton) begin;
  /// none when the tag has no place for actions (a DefineButton2 whose action offset is 0,
  /// a DoInitAction too short for its sprite id, a placement without clip actions).
  std::optional<std::uint32_t> recordsOffset;
  /// Where the last record ends; what follows (the end flag of clip events) is kept.
  std::uint32_t recordsEnd = 0;
  /// Clip events: the AllEventFlags field.
  std::uint32_t allEventsOffset = 0;
  /// DefineButton, DefineButton2: the button's id; DoInitAction: the sprite's.
  std::uint16_t characterId = 0;
  Placement placement;
  /// DefineButton, DefineButton2: the characters of the button's states, in record order.
  std::vector<ButtonRecord> buttonRecords;
  std::vector<ActionBlockPlace> blocks;
};

/// DoAction, DoInitAction and DefineButton: the tags of exactly one block, without
/// conditions.
bool isPlainActionTag(std::uint16_t code);

/// The layout of a tag of one of the six codes in a movie of `version`; an empty layout
/// (no records offset) for any other code.
ActionTagLayout actionTagLayout(std::uint16_t code, std::span<const std::uint8_t> body, unsigned version);

/// One block of a rebuilt tag and the condition it runs on.
struct NewActionBlock {
  std::span<const std::uint8_t> bytes;
  std::uint32_t events = 0;  // the condition word or event flags; ignored for the plain tags
  std::uint8_t keyCode = 0;
};

/// What keeps a tag from being rebuilt: which block (or none for the tag) and why.
struct RebuildFault {
  std::optional<std::size_t> block;
  std::string message;
};

/// The body of the tag with `blocks` in the place of its own, every size field worked out
/// again; everything before the first record and after the last is kept byte for byte. A
/// DoAction, DoInitAction or DefineButton takes exactly one block. The last condition of a
/// DefineButton2 keeps a zero size field if the old last one had it (and gets one when
/// the button had no conditions); a clip keeps its AllEventFlags field unless the events
/// of the new blocks together differ from those of the old ones. Faults: a block larger
/// than its size field holds, flags wider than the movie's event fields, a tag without a
/// place for actions that gets blocks. A button or clip given no blocks loses its conditions
/// (a DefineButton2's action offset becomes 0); a tag without a place for actions given
/// none stays as it was.
[[nodiscard]] bool rebuildActionTag(const ActionTagLayout& layout, std::span<const std::uint8_t> body,
                                    std::span<const NewActionBlock> blocks, std::vector<std::uint8_t>& out,
                                    RebuildFault& fault);

}  // namespace orvane
