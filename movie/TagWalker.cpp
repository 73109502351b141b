#include "movie/TagWalker.h"

#include <algorithm>
#include <new>

#include "movie/ScanOptions.h"
#include "movie/ShapeRecords.h"
#include "movie/SwfRecords.h"
#include "platform/MessageSink.h"
#include "platform/TempFolder.h"

namespace orvane {

std::uint32_t TagWalker::s_frameActionCounter = 0;
std::uint32_t TagWalker::s_streamSoundCounter = 0;

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
constexpr std::uint8_t kPlaceHasImage = 0x10;
constexpr std::uint8_t kPlaceHasClassName = 0x08;
constexpr std::uint8_t kPlaceHasCacheAsBitmap = 0x04;
constexpr std::uint8_t kPlaceHasBlendMode = 0x02;
constexpr std::uint8_t kPlaceHasFilterList = 0x01;

/// The fields that PlaceObject2 and PlaceObject3 share, in their order, as the first flags
/// byte announces them: character, matrix, colour transform, ratio, name, clip depth.
void readPlacement(BitReader& reader, std::uint8_t flags, InstanceObject& instance) {
  if (flags & kPlaceHasCharacter) instance.placedCharacterId = reader.readU16();
  if (flags & kPlaceHasMatrix) readMatrix(reader);
  if (flags & kPlaceHasColorTransform) readColorTransform(reader, true);
  if (flags & kPlaceHasRatio) reader.readU16();
  if (flags & kPlaceHasName) instance.instanceName = reader.readString();
  if (flags & kPlaceHasClipDepth) instance.clipDepth = reader.readU16();
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

std::span<const std::uint8_t> clippedRange(std::span<const std::uint8_t> body, std::uint64_t begin,
                                           std::uint64_t end) {
  end = std::min<std::uint64_t>(end, body.size());
  if (begin >= end) return {};
  return body.subspan(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}

std::uint32_t eventSoundRate(std::uint32_t code) {
  static constexpr std::uint32_t kRates[] = {8000, 11025, 22050, 44100};
  return kRates[code & 3];
}

std::uint32_t streamSoundRate(std::uint32_t code) {
  static constexpr std::uint32_t kRates[] = {5500, 11000, 22000, 44000};
  return kRates[code & 3];
}

const char* shapeTypeName(std::uint16_t code) {
  switch (code) {
    case tag::kDefineShape2: return "DefineShape2";
    case tag::kDefineShape3: return "DefineShape3";
    case tag::kDefineShape4: return "DefineShape4";
    default: return "DefineShape";
  }
}

const char* fontTypeName(std::uint16_t code) {
  switch (code) {
    case tag::kDefineFont2: return "DefineFont2";
    case tag::kDefineFont3: return "DefineFont3";
    case tag::kDefineFont4: return "DefineFont4";
    default: return "DefineFont";
  }
}

const char* textTypeName(std::uint16_t code) {
  switch (code) {
    case tag::kDefineText2: return "DefineText2";
    case tag::kDefineEditText: return "DefineEditText";
    default: return "DefineText";
  }
}

}  // namespace

void TagWalker::forgetMovieState() {
  m_jpegTables.clear();
  m_hasJpegTables = false;
  m_currentStream = nullptr;
  m_currentTimeline = nullptr;
  m_videoStreams.clear();
  m_fonts.clear();
}

ScanStatus TagWalker::open(const std::string& path) {
  forgetMovieState();
  const ScanStatus status = m_movie.open(path, &m_sink);
  // A damaged compressed movie is reported as a general error with what is wrong.
  m_errorText = m_movie.damage();
  return status;
}

ScanStatus TagWalker::openBytes(std::vector<std::uint8_t> bytes, const std::string& path) {
  forgetMovieState();
  return m_movie.openBytes(std::move(bytes), path);
}

void TagWalker::copyHeaderInto(ScanResult& result) const {
  result.path = m_movie.path();
  result.fileLength = m_movie.fileLength();
  result.version = m_movie.version();
  result.width = m_movie.width();
  result.height = m_movie.height();
  result.frameRate = m_movie.frameRate();
  result.frameCount = m_movie.frameCount();
  result.headerLength = m_movie.firstTagOffset();
  result.compression = m_movie.compression();
}

ScanStatus TagWalker::scan(std::uint32_t flags) {
  m_flags = flags;
  m_status = ScanStatus::Success;
  m_errorText.clear();
  // A stream of an earlier scan was completed when that scan ended.
  m_currentStream = nullptr;
  m_videoStreams.clear();
  m_fonts.clear();
  m_backgroundSeen = false;
  if (m_result == nullptr || m_movie.bytes().empty()) return ScanStatus::InvalidFileFormat;
  if (m_tempFolder.empty()) {
    std::string error;
    const auto folder = privateTempFolder(error);
    if (!folder) {
      m_errorText = error;
      return ScanStatus::OpenError;
    }
    m_tempFolder = *folder;
  }

  m_currentTimeline = m_result->firstTimeline();
  if (m_currentTimeline == nullptr) m_currentTimeline = m_result->addTimeline();
  if (m_currentTimeline == nullptr) return ScanStatus::MemoryError;

  ScanStatus status = walkTimelines();
  if (m_currentStream != nullptr) {
    const ScanStatus completion = m_writer.CompleteStreamSound(*m_currentStream);
    if (status == ScanStatus::Success) status = completion;
  }
  return status;
}

ScanStatus TagWalker::walkTimelines() {
  BitReader& reader = m_movie.reader();
  reader.setPosition(m_movie.firstTagOffset());
  std::vector<Walk> walks;
  walks.push_back(Walk{m_movie.bytes().size(), 0, "", m_currentTimeline, nullptr});

  while (!walks.empty()) {
    const std::uint64_t limit = walks.back().limit;
    // Data that ends on a tag boundary without an End tag ends the walk quietly: some
    // authoring tools leave the End tag out.
    if (reader.position() + 2ull > limit) {
      const Walk finished = walks.back();
      walks.pop_back();
      m_currentTimeline = finished.outerTimeline;
      reader.setPosition(static_cast<std::uint32_t>(finished.limit));
      continue;
    }
    const TagHeader header = readTagHeader(reader);
    if (reader.exhausted() || header.bodyEnd > limit) return ScanStatus::InvalidFileFormat;

    const std::size_t depth = walks.size();
    handleTag(header, walks);
    if (walks.size() > depth) continue;  // a sprite's walk begins inside its body

    reader.setPosition(static_cast<std::uint32_t>(header.bodyEnd));
    disposeStatus();
    if (m_status != ScanStatus::Success) return m_status;
    if (header.code == tag::kEnd) {
      const Walk finished = walks.back();
      walks.pop_back();
      m_currentTimeline = finished.outerTimeline;
      // The enclosing walk goes on after the DefineSprite body.
      if (!walks.empty()) reader.setPosition(static_cast<std::uint32_t>(finished.limit));
    }
  }
  return ScanStatus::Success;
}

void TagWalker::disposeStatus() {
  switch (m_status) {
    case ScanStatus::Success: return;
    case ScanStatus::InflateError:
      m_sink.show({"An Error occured while decompressing image data", m_errorText, MessageIcon::Error});
      break;
    case ScanStatus::WriterWarning:
      m_sink.show({"An Error Warning Has been Generated !! ", m_errorText, MessageIcon::Error});
      break;
    case ScanStatus::UnsupportedVariant: break;
    default: return;  // the walk stops with this status
  }
  m_errorText.clear();
  m_status = ScanStatus::Success;
}

std::span<const std::uint8_t> TagWalker::bodyOf(const TagHeader& header) const {
  return std::span<const std::uint8_t>(m_movie.bytes()).subspan(header.bodyOffset, header.length);
}

void TagWalker::collectCommon(MovieObject& object, const TagHeader& header, std::int32_t frame) const {
  object.headerOffset = header.headerOffset;
  object.bodyEnd = static_cast<std::uint32_t>(header.bodyEnd);
  object.bodyLength = header.length;
  object.frame = frame;
  object.movieVersion = m_movie.version();
}

void TagWalker::handleTag(const TagHeader& header, std::vector<Walk>& walks) {
  Walk& walk = walks.back();
  const bool mainTimeline = walks.size() == 1;
  switch (header.code) {
    case tag::kShowFrame:
      ++walk.frame;
      walk.label.clear();
      recordDisplayTag(header, walk);
      ++walk.timeline->shownFrames;
      break;
    case tag::kPlaceObject:
    case tag::kRemoveObject:
    case tag::kRemoveObject2:
      recordDisplayTag(header, walk);
      break;
    case tag::kSetBackgroundColor:
      if (mainTimeline && !m_backgroundSeen) handleBackground(header);
      break;
    case tag::kDefineShape:
    case tag::kDefineShape2:
    case tag::kDefineShape3:
    case tag::kDefineShape4:
      collectAsset(&TimelineNode::addShape, header, walk, shapeTypeName(header.code));
      break;
    case tag::kDefineMorphShape:
    case tag::kDefineMorphShape2:
      collectAsset(&TimelineNode::addMorphShape, header, walk,
                   header.code == tag::kDefineMorphShape ? "DefineMorphShape" : "DefineMorphShape2");
      break;
    case tag::kDefineFont:
    case tag::kDefineFont2:
    case tag::kDefineFont3:
    case tag::kDefineFont4:
      handleDefineFont(header, walk);
      break;
    case tag::kDefineFontInfo:
    case tag::kDefineFontInfo2:
    case tag::kDefineFontAlignZones:
    case tag::kDefineFontName:
      handleFontPart(header);
      break;
    case tag::kDefineText:
    case tag::kDefineText2:
    case tag::kDefineEditText:
      collectAsset(&TimelineNode::addText, header, walk, textTypeName(header.code));
      break;
    case tag::kFrameLabel: {
      BitReader body(bodyOf(header));
      walk.label = body.readString();
      break;
    }
    case tag::kDoAction:
      if (m_flags & scanflag::kFrameActions) handleFrameAction(header, walk);
      break;
    case tag::kDefineButton:
      if (m_flags & scanflag::kButtonActions) handleDefineButton(header, walk);
      break;
    case tag::kDefineButton2:
      if (m_flags & scanflag::kButtonActions) handleDefineButton2(header, walk);
      break;
    case tag::kPlaceObject2:
      recordDisplayTag(header, walk);
      if (m_movie.version() >= 5 && (m_flags & scanflag::kInstanceActions)) handlePlaceObject2(header, walk);
      break;
    case tag::kPlaceObject3:
      recordDisplayTag(header, walk);
      if (m_movie.version() >= 8 && (m_flags & scanflag::kInstanceActions)) handlePlaceObject3(header, walk);
      break;
    case tag::kDoInitAction:
      if (mainTimeline && (m_flags & scanflag::kFrameActions)) handleInitAction(header, walk);
      break;
    case tag::kDoAbc:
    case tag::kDoAbc1:
      if (mainTimeline && (m_flags & scanflag::kFrameActions)) handleDoAbc(header, walk);
      break;
    case tag::kJpegTables:
      if (m_flags & scanflag::kJpegBits) handleJpegTables(header, walk);
      break;
    case tag::kDefineBits:
      if (m_flags & scanflag::kJpegBits) handleImage(header, walk);
      break;
    case tag::kDefineBitsJpeg2:
      if (m_flags & scanflag::kJpeg2) handleImage(header, walk);
      break;
    case tag::kDefineBitsJpeg3:
      if (m_flags & scanflag::kJpeg3) handleImage(header, walk);
      break;
    case tag::kDefineBitsJpeg4:
      if (m_flags & scanflag::kJpeg3) handleImage(header, walk);
      break;
    case tag::kDefineBitsLossless:
      if (m_flags & scanflag::kLossless) handleImage(header, walk);
      break;
    case tag::kDefineBitsLossless2:
      if (m_flags & scanflag::kLossless2) handleImage(header, walk);
      break;
    case tag::kDefineSound:
      if (mainTimeline) handleDefineSound(header, walk);
      break;
    case tag::kSoundStreamHead:
    case tag::kSoundStreamHead2:
      if (mainTimeline && (m_flags & scanflag::kStreamingSounds)) handleStreamHead(header, walk);
      break;
    case tag::kSoundStreamBlock:
      if (mainTimeline && (m_flags & scanflag::kStreamingSounds)) handleStreamBlock(header);
      break;
    case tag::kDefineSprite:
      handleDefineSprite(header, walks);
      break;
    case tag::kDefineVideoStream:
      handleVideoStream(header, walk);
      break;
    case tag::kVideoFrame:
      handleVideoFrame(header);
      break;
    default: break;
  }
}

void TagWalker::recordDisplayTag(const TagHeader& header, const Walk& walk) {
  try {
    walk.timeline->displayTags.push_back(DisplayTag{header.code, TagBody{header.bodyOffset, header.length}});
  } catch (const std::bad_alloc&) {
    m_status = ScanStatus::MemoryError;
  }
}

void TagWalker::handleBackground(const TagHeader& header) {
  BitReader reader(bodyOf(header));
  const Rgba color = readColor(reader, false);
  if (reader.exhausted()) return;
  m_result->background = color;
  m_backgroundSeen = true;
}

template <class Asset>
Asset* TagWalker::collectAsset(Asset* (TimelineNode::*add)(), const TagHeader& header, const Walk& walk,
                               const char* typeName) {
  Asset* asset = (walk.timeline->*add)();
  if (asset == nullptr) {
    m_status = ScanStatus::MemoryError;
    return nullptr;
  }
  collectCommon(*asset, header, walk.frame);
  asset->typeName = typeName;
  asset->label = walk.label;
  asset->code = header.code;
  asset->body = TagBody{header.bodyOffset, header.length};
  BitReader reader(bodyOf(header));
  asset->characterId = reader.readU16();
  return asset;
}

void TagWalker::handleDefineFont(const TagHeader& header, const Walk& walk) {
  FontObject* font = collectAsset(&TimelineNode::addFont, header, walk, fontTypeName(header.code));
  if (font != nullptr) m_fonts[font->characterId] = font;
}

void TagWalker::handleFontPart(const TagHeader& header) {
  BitReader reader(bodyOf(header));
  const std::uint16_t fontId = reader.readU16();
  if (reader.exhausted()) return;
  // A part of a font the movie never defined has nothing to describe.
  const auto font = m_fonts.find(fontId);
  if (font == m_fonts.end()) return;
  try {
    font->second->parts.push_back(FontPart{header.code, TagBody{header.bodyOffset, header.length}});
  } catch (const std::bad_alloc&) {
    m_status = ScanStatus::MemoryError;
  }
}

void TagWalker::handleFrameAction(const TagHeader& header, const Walk& walk) {
  ActionObject* action = walk.timeline->addAction(static_cast<std::int32_t>(m_result->nextSerial()));
  if (action == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*action, header, walk.frame);
  action->characterId = static_cast<std::uint16_t>(s_frameActionCounter++);
  action->typeName = "DefineAction";
  action->label = walk.label;
  const std::span<const std::uint8_t> body = bodyOf(header);
  action->bytes.assign(body.begin(), body.end());
}

template <class Object>
Object* TagWalker::collect(Object* (TimelineNode::*add)(std::int32_t), const TagHeader& header, const Walk& walk,
                           const char* typeName) {
  Object* object = (walk.timeline->*add)(static_cast<std::int32_t>(m_result->nextSerial()));
  if (object == nullptr) {
    m_status = ScanStatus::MemoryError;
    return nullptr;
  }
  collectCommon(*object, header, walk.frame);
  object->typeName = typeName;
  object->label = walk.label;
  return object;
}

void TagWalker::handleInitAction(const TagHeader& header, const Walk& walk) {
  InitActionObject* action = collect(&TimelineNode::addInitAction, header, walk, "DoInitAction");
  if (action == nullptr) return;
  const std::span<const std::uint8_t> body = bodyOf(header);
  BitReader reader(body);
  action->characterId = reader.readU16();
  if (!reader.exhausted()) action->bytes.assign(body.begin() + 2, body.end());
}

void TagWalker::handleDoAbc(const TagHeader& header, const Walk& walk) {
  AbcTag* abc = walk.timeline->addAbcTag();
  if (abc == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  abc->code = header.code;
  abc->number = static_cast<std::uint32_t>(walk.timeline->abcTags.size() - 1);
  abc->frame = walk.frame;
  abc->label = walk.label;
  abc->headerOffset = header.headerOffset;
  abc->bodyEnd = static_cast<std::uint32_t>(header.bodyEnd);
  abc->bodyLength = header.length;
  const std::span<const std::uint8_t> body = bodyOf(header);
  BitReader reader(body);
  if (header.code == tag::kDoAbc) {
    abc->flags = reader.readU32();
    abc->name = reader.readString();
    // A body that ends inside the flags or the name holds no block.
    if (reader.exhausted()) return;
  }
  abc->block.assign(body.begin() + reader.position(), body.end());
}

void TagWalker::handleDefineButton(const TagHeader& header, const Walk& walk) {
  ButtonObject* button = walk.timeline->addButton(static_cast<std::int32_t>(m_result->nextSerial()));
  if (button == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*button, header, walk.frame);
  button->typeName = "DefineButton";
  const std::span<const std::uint8_t> body = bodyOf(header);
  BitReader reader(body);
  button->characterId = reader.readU16();
  // Button records (flags, character, depth, matrix) up to the zero CharacterEndFlag; a
  // nonzero byte after a record is the next record's flags.
  std::uint8_t flags = reader.readU8();
  do {
    ButtonRecord record;
    record.states = flags & kButtonStates;
    record.characterId = reader.readU16();
    record.depth = reader.readU16();
    record.matrix = readMatrix(reader);
    if (flags != 0 && !reader.exhausted()) button->records.push_back(record);
    flags = reader.readU8();
  } while (flags != 0 && !reader.exhausted());
  ConditionAction* action =
      button->addConditionAction(0, body.data() + std::min(reader.position(), reader.size()), reader.remaining());
  action->label = walk.label;
}

void TagWalker::handleDefineButton2(const TagHeader& header, const Walk& walk) {
  ButtonObject* button = walk.timeline->addButton(static_cast<std::int32_t>(m_result->nextSerial()));
  if (button == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*button, header, walk.frame);
  button->typeName = "DefineButton2";
  const std::span<const std::uint8_t> body = bodyOf(header);
  BitReader reader(body);
  button->characterId = reader.readU16();
  reader.readU8();
  const std::uint32_t actionOffsetField = reader.position();
  const std::uint16_t actionOffset = reader.readU16();
  if (reader.exhausted()) return;
  const std::uint64_t recordsEnd = actionOffset == 0 ? body.size() : actionOffsetField + std::uint64_t{actionOffset};
  BitReader records(clippedRange(body, reader.position(), recordsEnd));
  readButton2Records(records, button->records);
  if (actionOffset <= 2) return;

  std::uint64_t recordStart = actionOffsetField + static_cast<std::uint64_t>(actionOffset);
  while (recordStart + 4 <= body.size()) {
    reader.setPosition(static_cast<std::uint32_t>(recordStart));
    const std::uint16_t size = reader.readU16();
    const std::uint16_t condition = reader.readU16();
    const std::uint64_t end = size == 0 ? body.size() : recordStart + size;
    const std::span<const std::uint8_t> actions = clippedRange(body, recordStart + 4, end);
    ConditionAction* action = button->addConditionAction(condition, actions.data(), actions.size());
    action->label = walk.label;
    if (size == 0) break;
    recordStart += size;
    if (recordStart + 2 > body.size()) break;
  }
}

void TagWalker::handlePlaceObject2(const TagHeader& header, const Walk& walk) {
  const std::span<const std::uint8_t> body = bodyOf(header);
  BitReader reader(body);
  const std::uint8_t flags = reader.readU8();
  reader.readU16();
  if ((flags & kPlaceHasClipActions) == 0) return;

  InstanceObject* instance = collect(&TimelineNode::addInstance, header, walk, "DefineButton");
  if (instance == nullptr) return;
  readPlacement(reader, flags, *instance);
  readClipActions(reader, body, *instance, walk);
}

void TagWalker::handlePlaceObject3(const TagHeader& header, const Walk& walk) {
  const std::span<const std::uint8_t> body = bodyOf(header);
  BitReader reader(body);
  const std::uint8_t flags = reader.readU8();
  const std::uint8_t moreFlags = reader.readU8();
  reader.readU16();
  if ((flags & kPlaceHasClipActions) == 0) return;

  InstanceObject* instance = collect(&TimelineNode::addInstance, header, walk, "PlaceObject3");
  if (instance == nullptr) return;
  if ((moreFlags & kPlaceHasClassName) || ((moreFlags & kPlaceHasImage) && (flags & kPlaceHasCharacter))) {
    reader.readString();
  }
  readPlacement(reader, flags, *instance);
  if (moreFlags & kPlaceHasFilterList) {
    const std::uint8_t filters = reader.readU8();
    for (std::uint8_t i = 0; i < filters && !reader.exhausted(); ++i) skipFilter(reader);
  }
  if (moreFlags & kPlaceHasBlendMode) reader.readU8();
  if (moreFlags & kPlaceHasCacheAsBitmap) reader.readU8();
  // Movies of version 11 and later add the visible flag and the background colour.
  if (m_movie.version() >= 11) {
    if (moreFlags & kPlaceHasVisible) reader.readU8();
    if (moreFlags & kPlaceOpaqueBackground) reader.readU32();
  }
  readClipActions(reader, body, *instance, walk);
}

void TagWalker::readClipActions(BitReader& reader, std::span<const std::uint8_t> body, InstanceObject& instance,
                                const Walk& walk) const {
  // Movies of version 6 and later widen the event flags to 32 bits and give key-press
  // events a key code byte, which the record size counts.
  const bool wideFlags = m_movie.version() >= 6;
  const std::uint32_t flagBytes = wideFlags ? 4 : 2;
  reader.readU16();
  if (wideFlags) reader.readU32(); else reader.readU16();
  while (!reader.exhausted() && reader.position() + flagBytes < body.size()) {
    const std::uint32_t events = wideFlags ? reader.readU32() : reader.readU16();
    if (wideFlags && events == 0) break;
    std::uint32_t size = reader.readU32();
    std::uint8_t key = 0;
    if (wideFlags && (events & kClipEventKeyPress) != 0 && size > 0) {
      key = reader.readU8();
      --size;
    }
    if (reader.exhausted()) break;
    const std::uint64_t start = reader.position();
    const std::span<const std::uint8_t> actions = clippedRange(body, start, start + size);
    ConditionAction* action =
        instance.addConditionAction(static_cast<std::uint16_t>(events), actions.data(), actions.size());
    action->label = walk.label;
    action->eventFlags = events;
    action->keyCode = key;
    if (start + size > body.size()) break;
    reader.skip(size);
  }
}

void TagWalker::handleJpegTables(const TagHeader& header, const Walk& walk) {
  m_jpegTables.clear();
  m_hasJpegTables = false;
  const ScanStatus status = m_writer.ExtractJpegTables(bodyOf(header), m_jpegTables);
  if (status != ScanStatus::Success) {
    m_status = status;
    return;
  }
  m_hasJpegTables = true;
  ImageObject* image = walk.timeline->addImage(static_cast<std::int32_t>(m_result->nextSerial()));
  if (image == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*image, header, walk.frame);
  image->characterId = 0xFFFF;
  image->typeName = "DefineJPEGTable";
  image->formatName = "n\\a";
  image->viewable = false;
  image->tempFilePath = "no file";
}

void TagWalker::handleImage(const TagHeader& header, const Walk& walk) {
  ImageTag image;
  image.header = header;
  image.body = bodyOf(header);
  BitReader reader(image.body);
  image.characterId = reader.readU16();
  image.path = objectFileStem(m_tempFolder, image.characterId) + ".jpg";

  ImageOutcome outcome;
  std::string typeName;
  std::string formatName = "JPEG";
  switch (header.code) {
    case tag::kDefineBits:
      if (!m_hasJpegTables) {
        m_status = ScanStatus::FormatNotSupported;
        return;
      }
      outcome = m_writer.ExtractDefineBits(image, m_jpegTables);
      typeName = "DefineBits";
      break;
    case tag::kDefineBitsJpeg2:
      outcome = m_writer.ExtractJpeg2(image);
      typeName = "DefineBitsJPEG2";
      break;
    case tag::kDefineBitsJpeg3:
      outcome = m_writer.ExtractJpeg3(image);
      typeName = "DefineBitsJPEG3";
      break;
    case tag::kDefineBitsJpeg4:
      outcome = m_writer.ExtractJpeg4(image);
      typeName = "DefineBitsJPEG4";
      break;
    case tag::kDefineBitsLossless:
      outcome = m_writer.ExtractLossless(image, 3, m_errorText);
      typeName = "DefineBitsLossless";
      formatName = "PNG / GIF";
      break;
    default:
      outcome = m_writer.ExtractLossless(image, 4, m_errorText);
      typeName = "DefineBitsLossless2";
      formatName = "PNG / GIF";
      break;
  }
  m_status = outcome.status;
  if (!outcome.collect) return;
  ImageObject* object = walk.timeline->addImage(static_cast<std::int32_t>(m_result->nextSerial()));
  if (object == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*object, header, walk.frame);
  object->characterId = image.characterId;
  object->typeName = typeName;
  object->formatName = formatName;
  object->tempFilePath = image.path;
  object->viewable = outcome.viewable;
  if (header.code == tag::kDefineBitsJpeg4) {
    reader.readU32();  // AlphaDataOffset
    object->deblocking = reader.readU16();
  }
}

void TagWalker::handleDefineSound(const TagHeader& header, const Walk& walk) {
  SoundObject* sound = walk.timeline->addSound(static_cast<std::int32_t>(m_result->nextSerial()));
  if (sound == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*sound, header, walk.frame);
  sound->typeName = "DefineSound";
  const std::span<const std::uint8_t> body = bodyOf(header);
  BitReader reader(body);
  sound->characterId = reader.readU16();
  sound->format = reader.readUB(4);
  sound->sampleRate = eventSoundRate(reader.readUB(2));
  sound->sampleSize = reader.readUB(1) == 1 ? 16 : 8;
  sound->channels = reader.readUB(1) + 1;
  sound->sampleCount = reader.readU32();
  if (reader.exhausted()) return;
  m_writer.ExtractDefineSound(*sound, body.subspan(reader.position()),
                              objectFileStem(m_tempFolder, sound->characterId), m_flags);
}

void TagWalker::handleStreamHead(const TagHeader& header, const Walk& walk) {
  if (m_currentStream != nullptr) {
    const ScanStatus completion = m_writer.CompleteStreamSound(*m_currentStream);
    if (completion != ScanStatus::Success) {
      m_status = completion;
      return;
    }
  }
  SoundObject* stream = walk.timeline->addSound(static_cast<std::int32_t>(m_result->nextSerial()));
  if (stream == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*stream, header, walk.frame);
  stream->characterId = static_cast<std::uint16_t>(s_streamSoundCounter++);
  stream->typeName = "DefineStreamingSound";
  m_currentStream = stream;

  BitReader reader(bodyOf(header));
  reader.readUB(4);
  stream->sampleRate = streamSoundRate(reader.readUB(2));
  stream->sampleSize = reader.readUB(1) == 1 ? 16 : 8;
  stream->channels = reader.readUB(1) + 1;
  stream->format = reader.readUB(4);
  reader.readUB(2);
  reader.readUB(1);
  reader.readUB(1);
  stream->sampleCount = reader.readU16();
  m_status = m_writer.BeginStreamSound(*stream, m_tempFolder);
}

void TagWalker::handleStreamBlock(const TagHeader& header) {
  if (m_currentStream == nullptr) return;
  ++m_currentStream->blockCount;
  m_currentStream->blocks.push_back(TagBody{header.bodyOffset, header.length});
  m_status = m_writer.AppendStreamBlock(*m_currentStream, bodyOf(header));
}

void TagWalker::handleVideoStream(const TagHeader& header, const Walk& walk) {
  VideoObject* video = walk.timeline->addVideo(static_cast<std::int32_t>(m_result->nextSerial()));
  if (video == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*video, header, walk.frame);
  video->typeName = "DefineVideoStream";
  BitReader reader(bodyOf(header));
  video->characterId = reader.readU16();
  video->declaredFrames = reader.readU16();
  video->width = reader.readU16();
  video->height = reader.readU16();
  reader.readUB(4);
  video->deblocking = static_cast<std::uint8_t>(reader.readUB(3));
  video->smoothing = reader.readUB(1) == 1;
  video->codecId = reader.readU8();
  m_videoStreams[video->characterId] = video;
}

void TagWalker::handleVideoFrame(const TagHeader& header) {
  BitReader reader(bodyOf(header));
  const std::uint16_t streamId = reader.readU16();
  if (reader.exhausted()) return;
  // A frame of a stream the movie never defined has nothing to belong to.
  const auto stream = m_videoStreams.find(streamId);
  if (stream == m_videoStreams.end()) return;
  stream->second->frames.push_back(TagBody{header.bodyOffset, header.length});
}

void TagWalker::handleDefineSprite(const TagHeader& header, std::vector<Walk>& walks) {
  TimelineNode* node = m_result->addTimeline();
  if (node == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  BitReader reader(bodyOf(header));
  node->spriteId = reader.readU16();
  node->frameCount = reader.readU16();
  Walk sprite;
  sprite.limit = header.bodyEnd;
  sprite.timeline = node;
  sprite.outerTimeline = m_currentTimeline;
  m_currentTimeline = node;
  walks.push_back(std::move(sprite));
  m_movie.reader().setPosition(header.bodyOffset + std::min<std::uint32_t>(4, header.length));
}

}  // namespace orvane
