#include "movie/ActionTagLayout.h"

#include <algorithm>

#include "movie/BitReader.h"
#include "movie/SwfRecords.h"
#include "movie/TagHeader.h"

namespace orvane {

namespace {

constexpr std::uint8_t kPlaceHasClipActions = 0x80;
constexpr std::uint8_t kPlaceHasClipDepth = 0x40;
constexpr std::uint8_t kPlaceHasName = 0x20;
constexpr std::uint8_t kPlaceHasRatio = 0x10;
constexpr std::uint8_t kPlaceHasColorTransform = 0x08;
constexpr std::uint8_t kPlaceHasMatrix = 0x04;
constexpr std::uint8_t kPlaceHasCharacter = 0x02;
constexpr std::uint32_t kClipEventKeyPress = 0x00020000;
// The second flags byte of PlaceObject3.
constexpr std::uint8_t kPlaceOpaqueBackground = 0x40;
constexpr std::uint8_t kPlaceHasVisible = 0x20;
constexpr std::uint8_t kPlaceHasClassName = 0x08;
constexpr std::uint8_t kPlaceHasCacheAsBitmap = 0x04;
constexpr std::uint8_t kPlaceHasBlendMode = 0x02;
constexpr std::uint8_t kPlaceHasFilterList = 0x01;

constexpr std::uint32_t kLargestCondition = 0xFFFF;
// DefineButton2: the action offset follows the button's id and its flags byte.
constexpr std::uint32_t kButton2ActionOffsetField = 3;

/// The fields that PlaceObject2 and PlaceObject3 share, in their order, as the first flags
/// byte announces them: character, matrix, colour transform, ratio, name, clip depth.
void readPlacement(BitReader& reader, std::uint8_t flags, Placement& placement) {
  if (flags & kPlaceHasCharacter) placement.placedCharacterId = reader.readU16();
  if (flags & kPlaceHasMatrix) readMatrix(reader);
  if (flags & kPlaceHasColorTransform) readColorTransform(reader, true);
  if (flags & kPlaceHasRatio) reader.readU16();
  if (flags & kPlaceHasName) placement.instanceName = reader.readString();
  if (flags & kPlaceHasClipDepth) placement.clipDepth = reader.readU16();
}

/// Steps over one FILTER record of a filter list: its id byte and its fields.
void skipFilter(BitReader& reader) {
  switch (reader.readU8()) {
    case 0: reader.skip(23); break;  // drop shadow
    case 1: reader.skip(9); break;   // blur
    case 2: reader.skip(15); break;  // glow
    case 3: reader.skip(27); break;  // bevel
    case 4:                          // gradient glow
    case 7:                          // gradient bevel: a colour and a ratio per stop
      reader.skip(5u * reader.readU8() + 19);
      break;
    case 5: {  // convolution: a matrix of floats
      const std::uint32_t columns = reader.readU8();
      const std::uint32_t rows = reader.readU8();
      reader.skip(8 + 4 * columns * rows + 5);
      break;
    }
    case 6: reader.skip(80); break;  // colour matrix
    default:
      // An unknown filter has no known length: nothing after it can be found.
      reader.skip(reader.remaining() + 1);
      break;
  }
}

constexpr std::uint8_t kButtonHasBlendMode = 0x20;
constexpr std::uint8_t kButtonHasFilterList = 0x10;
constexpr std::uint8_t kButtonStates = 0x0F;

/// DefineButton2's records up to the zero CharacterEndFlag or the end of the reader's data:
/// each with its colour transform, then its filters and blend mode where its flags say so.
void readButton2Records(BitReader& reader, std::vector<ButtonRecord>& records) {
  while (true) {
    const std::uint8_t flags = reader.readU8();
    if (flags == 0 || reader.exhausted()) return;
    ButtonRecord record;
    record.states = flags & kButtonStates;
    record.characterId = reader.readU16();
    record.depth = reader.readU16();
    record.matrix = readMatrix(reader);
    record.colorTransform = readColorTransform(reader, true);
    if (flags & kButtonHasFilterList) {
      const std::uint8_t filters = reader.readU8();
      for (std::uint8_t i = 0; i < filters && !reader.exhausted(); ++i) skipFilter(reader);
    }
    if (flags & kButtonHasBlendMode) reader.readU8();
    if (reader.exhausted()) return;
    records.push_back(record);
  }
}

/// The block between `begin` and `end`, clipped to the body (empty when nothing is left).
ActionBlockPlace clippedBlock(std::size_t bodySize, std::uint64_t begin, std::uint64_t end) {
  end = std::min<std::uint64_t>(end, bodySize);
  ActionBlockPlace place;
  if (begin >= end) {
    place.offset = static_cast<std::uint32_t>(std::min<std::uint64_t>(begin, bodySize));
    return place;
  }
  place.offset = static_cast<std::uint32_t>(begin);
  place.length = static_cast<std::uint32_t>(end - begin);
  return place;
}

void layOutDefineButton(BitReader& reader, ActionTagLayout& layout) {
  layout.characterId = reader.readU16();
  // Button records (flags, character, depth, matrix) up to the zero CharacterEndFlag; a
  // nonzero byte after a record is the next record's flags.
  std::uint8_t flags = reader.readU8();
  do {
    ButtonRecord record;
    record.states = flags & kButtonStates;
    record.characterId = reader.readU16();
    record.depth = reader.readU16();
    record.matrix = readMatrix(reader);
    if (flags != 0 && !reader.exhausted()) layout.buttonRecords.push_back(record);
    flags = reader.readU8();
  } while (flags != 0 && !reader.exhausted());
  const std::uint32_t start = std::min(reader.position(), reader.size());
  layout.recordsOffset = start;
  layout.recordsEnd = reader.size();
  layout.blocks.push_back(clippedBlock(reader.size(), start, reader.size()));
}

void layOutDefineButton2(BitReader& reader, ActionTagLayout& layout) {
  const std::size_t size = reader.size();
  layout.characterId = reader.readU16();
  reader.readU8();
  const std::uint32_t actionOffsetField = reader.position();
  const std::uint16_t actionOffset = reader.readU16();
  if (reader.exhausted()) return;
  const std::uint64_t buttonRecordsEnd =
      actionOffset == 0 ? size : actionOffsetField + std::uint64_t{actionOffset};
  const ActionBlockPlace buttonRecords = clippedBlock(size, reader.position(), buttonRecordsEnd);
  BitReader records(reader.bytesAt(buttonRecords.offset, buttonRecords.length));
  readButton2Records(records, layout.buttonRecords);
  if (actionOffset <= 2 || actionOffsetField + actionOffset > size) return;

  std::uint64_t recordStart = actionOffsetField + static_cast<std::uint64_t>(actionOffset);
  layout.recordsOffset = static_cast<std::uint32_t>(recordStart);
  layout.recordsEnd = static_cast<std::uint32_t>(recordStart);
  while (recordStart + 4 <= size) {
    reader.setPosition(static_cast<std::uint32_t>(recordStart));
    const std::uint16_t recordSize = reader.readU16();
    const std::uint16_t condition = reader.readU16();
    const std::uint64_t end = recordSize == 0 ? size : recordStart + recordSize;
    ActionBlockPlace place = clippedBlock(size, recordStart + 4, end);
    place.conditionWord = condition;
    place.sizeFieldZero = recordSize == 0;
    layout.blocks.push_back(place);
    layout.recordsEnd = static_cast<std::uint32_t>(std::max<std::uint64_t>(std::min<std::uint64_t>(end, size),
                                                                           recordStart + 4));
    if (recordSize == 0) break;
    recordStart += recordSize;
    if (recordStart + 2 > size) break;
  }
}

/// The clip actions from the reader's position: the reserved word, all event flags, then
/// one block per event record up to the final zero.
void layOutClipActions(BitReader& reader, ActionTagLayout& layout) {
  const std::size_t size = reader.size();
  // Movies of version 6 and later widen the event flags to 32 bits and give key-press
  // events a key code byte, which the record size counts.
  const std::uint32_t flagBytes = layout.wideEvents ? 4 : 2;
  reader.readU16();
  layout.allEventsOffset = reader.position();
  if (layout.wideEvents) reader.readU32(); else reader.readU16();
  if (reader.exhausted()) return;
  layout.recordsOffset = reader.position();
  layout.recordsEnd = reader.position();
  while (!reader.exhausted() && reader.position() + flagBytes < size) {
    const std::uint32_t events = layout.wideEvents ? reader.readU32() : reader.readU16();
    if (layout.wideEvents && events == 0) break;
    std::uint32_t recordSize = reader.readU32();
    ActionBlockPlace place;
    if (layout.wideEvents && (events & kClipEventKeyPress) != 0 && recordSize > 0) {
      place.keyCode = reader.readU8();
      place.hasKeyCode = true;
      --recordSize;
    }
    if (reader.exhausted()) break;
    const std::uint64_t start = reader.position();
    const ActionBlockPlace block = clippedBlock(size, start, start + recordSize);
    place.offset = block.offset;
    place.length = block.length;
    place.conditionWord = static_cast<std::uint16_t>(events);
    place.eventFlags = events;
    layout.blocks.push_back(place);
    layout.recordsEnd = static_cast<std::uint32_t>(std::min<std::uint64_t>(start + recordSize, size));
    if (start + recordSize > size) break;
    reader.skip(recordSize);
  }
}

void layOutPlaceObject2(BitReader& reader, ActionTagLayout& layout) {
  const std::uint8_t flags = reader.readU8();
  reader.readU16();
  if ((flags & kPlaceHasClipActions) == 0) return;
  layout.hasClipActions = true;
  readPlacement(reader, flags, layout.placement);
  layOutClipActions(reader, layout);
}

void layOutPlaceObject3(BitReader& reader, ActionTagLayout& layout, unsigned version) {
  const std::uint8_t flags = reader.readU8();
  const std::uint8_t moreFlags = reader.readU8();
  reader.readU16();
  if ((flags & kPlaceHasClipActions) == 0) return;
  layout.hasClipActions = true;
  // The class name is there only with its own flag, whatever the image flag says: movies
  // that place a bitmap by its character id carry no name before the id.
  if (moreFlags & kPlaceHasClassName) reader.readString();
  readPlacement(reader, flags, layout.placement);
  if (moreFlags & kPlaceHasFilterList) {
    const std::uint8_t filters = reader.readU8();
    for (std::uint8_t i = 0; i < filters && !reader.exhausted(); ++i) skipFilter(reader);
  }
  if (moreFlags & kPlaceHasBlendMode) reader.readU8();
  if (moreFlags & kPlaceHasCacheAsBitmap) reader.readU8();
  // Movies of version 11 and later add the visible flag and the background colour.
  if (version >= 11) {
    if (moreFlags & kPlaceHasVisible) reader.readU8();
    if (moreFlags & kPlaceOpaqueBackground) reader.readU32();
  }
  layOutClipActions(reader, layout);
}

void putU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  putU16(out, value & 0xFFFF);
  putU16(out, value >> 16);
}

bool fail(RebuildFault& fault, std::optional<std::size_t> block, std::string message) {
  fault = {block, std::move(message)};
  return false;
}

bool appendButtonConditions(const ActionTagLayout& layout, std::span<const NewActionBlock> blocks,
                            std::vector<std::uint8_t>& out, RebuildFault& fault) {
  // The last record's size field is 0 unless the old last record said otherwise.
  const bool lastSizeZero = layout.blocks.empty() || layout.blocks.back().sizeFieldZero;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const NewActionBlock& block = blocks[i];
    const std::size_t recordSize = 4 + block.bytes.size();
    if (recordSize > kLargestCondition)
      return fail(fault, i, "the condition's actions take " + std::to_string(block.bytes.size()) +
                                " bytes; a button condition holds at most 65531");
    if (block.events > 0xFFFF) return fail(fault, i, "a button condition word has 16 bits");
    const bool last = i + 1 == blocks.size();
    putU16(out, last && lastSizeZero ? 0 : static_cast<std::uint32_t>(recordSize));
    putU16(out, block.events);
    out.insert(out.end(), block.bytes.begin(), block.bytes.end());
  }
  return true;
}

bool appendClipEvents(const ActionTagLayout& layout, std::span<const NewActionBlock> blocks,
                      std::vector<std::uint8_t>& out, RebuildFault& fault) {
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const NewActionBlock& block = blocks[i];
    if (!layout.wideEvents && block.events > 0xFFFF)
      return fail(fault, i, "the clip events of a movie before version 6 have 16 bits");
    // Only the 32-bit lists end at a zero flags field; the 16-bit lists of earlier movies
    // are read on past one.
    if (layout.wideEvents && block.events == 0)
      return fail(fault, i, "an event record without events would end the list");
    const bool withKey = layout.wideEvents && (block.events & kClipEventKeyPress) != 0;
    const std::uint64_t recordSize = block.bytes.size() + (withKey ? 1 : 0);
    if (recordSize > UINT32_MAX) return fail(fault, i, "the event's actions do not fit in its size field");
    if (layout.wideEvents) putU32(out, block.events); else putU16(out, block.events);
    putU32(out, static_cast<std::uint32_t>(recordSize));
    if (withKey) out.push_back(block.keyCode);
    out.insert(out.end(), block.bytes.begin(), block.bytes.end());
  }
  return true;
}

/// The AllEventFlags value of the rebuilt clip: the old one while the events are the same.
std::uint32_t allEvents(const ActionTagLayout& layout, std::span<const std::uint8_t> body,
                        std::span<const NewActionBlock> blocks) {
  std::uint32_t before = 0;
  for (const ActionBlockPlace& place : layout.blocks) before |= place.eventFlags;
  std::uint32_t after = 0;
  for (const NewActionBlock& block : blocks) after |= block.events;
  BitReader field(body.subspan(layout.allEventsOffset));
  const std::uint32_t old = layout.wideEvents ? field.readU32() : field.readU16();
  return before == after ? old : after;
}

}  // namespace

bool isPlainActionTag(std::uint16_t code) {
  return code == tag::kDoAction || code == tag::kDoInitAction || code == tag::kDefineButton;
}

ActionTagLayout actionTagLayout(std::uint16_t code, std::span<const std::uint8_t> body, unsigned version) {
  ActionTagLayout layout;
  layout.code = code;
  BitReader reader(body);
  switch (code) {
    case tag::kDoAction:
      layout.recordsOffset = 0;
      layout.recordsEnd = reader.size();
      layout.blocks.push_back(clippedBlock(body.size(), 0, body.size()));
      break;
    case tag::kDoInitAction:
      layout.characterId = reader.readU16();
      if (reader.exhausted()) break;
      layout.recordsOffset = 2;
      layout.recordsEnd = reader.size();
      layout.blocks.push_back(clippedBlock(body.size(), 2, body.size()));
      break;
    case tag::kDefineButton: layOutDefineButton(reader, layout); break;
    case tag::kDefineButton2: layOutDefineButton2(reader, layout); break;
    case tag::kPlaceObject2:
      layout.wideEvents = version >= 6;
      layOutPlaceObject2(reader, layout);
      break;
    case tag::kPlaceObject3:
      layout.wideEvents = version >= 6;
      layOutPlaceObject3(reader, layout, version);
      break;
    default: break;
  }
  return layout;
}

bool rebuildActionTag(const ActionTagLayout& layout, std::span<const std::uint8_t> body,
                      std::span<const NewActionBlock> blocks, std::vector<std::uint8_t>& out, RebuildFault& fault) {
  if (!layout.recordsOffset) {
    if (!blocks.empty()) return fail(fault, std::nullopt, "the tag has no place for actions");
    out.assign(body.begin(), body.end());
    return true;
  }
  if (isPlainActionTag(layout.code) && blocks.size() != 1)
    return fail(fault, std::nullopt, "the tag holds exactly one action block");
  const std::uint32_t recordsOffset = *layout.recordsOffset;
  out.clear();
  out.reserve(body.size() + 64);
  out.insert(out.end(), body.begin(), body.begin() + recordsOffset);
  bool built = true;
  if (isPlainActionTag(layout.code)) {
    out.insert(out.end(), blocks[0].bytes.begin(), blocks[0].bytes.end());
  } else if (layout.code == tag::kDefineButton2) {
    built = appendButtonConditions(layout, blocks, out, fault);
    // A button left without conditions says so with an action offset of 0.
    if (blocks.empty()) std::fill_n(out.begin() + kButton2ActionOffsetField, 2, 0);
  } else {
    const std::uint32_t events = allEvents(layout, body, blocks);
    std::vector<std::uint8_t> field;
    if (layout.wideEvents) putU32(field, events); else putU16(field, events);
    std::copy(field.begin(), field.end(), out.begin() + layout.allEventsOffset);
    built = appendClipEvents(layout, blocks, out, fault);
  }
  if (!built) return false;
  out.insert(out.end(), body.begin() + layout.recordsEnd, body.end());
  return true;
}

}  // namespace orvane
