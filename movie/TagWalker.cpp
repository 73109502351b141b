#include "movie/TagWalker.h"

#include <algorithm>
#include <new>

#include "movie/ActionTagLayout.h"
#include "movie/ScanOptions.h"
#include "movie/ShapeRecords.h"
#include "movie/SwfRecords.h"
#include "platform/MessageSink.h"
#include "platform/TempFolder.h"

namespace orvane {

std::uint32_t TagWalker::s_frameActionCounter = 0;
std::uint32_t TagWalker::s_streamSoundCounter = 0;

namespace {

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

ScanStatus TagWalker::openBytes(std::vector<std::uint8_t> bytes, const std::string& path,
                                MovieCompression compression) {
  forgetMovieState();
  return m_movie.openBytes(std::move(bytes), path, compression);
}

void TagWalker::copyHeaderInto(ScanResult& result) const {
  result.path = m_movie.path();
  result.fileLength = m_movie.fileLength();
  result.version = m_movie.version();
  result.width = m_movie.width();
  result.height = m_movie.height();
  result.frameRect = m_movie.frameRect();
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
    case tag::kDefineButton2:
      if (m_flags & scanflag::kButtonActions) handleButton(header, walk);
      break;
    case tag::kPlaceObject2:
      recordDisplayTag(header, walk);
      if (m_movie.version() >= 5 && (m_flags & scanflag::kInstanceActions)) handlePlacement(header, walk);
      break;
    case tag::kPlaceObject3:
      recordDisplayTag(header, walk);
      if (m_movie.version() >= 8 && (m_flags & scanflag::kInstanceActions)) handlePlacement(header, walk);
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
  const ActionTagLayout layout = actionTagLayout(header.code, body, m_movie.version());
  action->characterId = layout.characterId;
  for (const ActionBlockPlace& place : layout.blocks)
    action->bytes.assign(body.begin() + place.offset, body.begin() + place.offset + place.length);
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

void TagWalker::handleButton(const TagHeader& header, const Walk& walk) {
  ButtonObject* button = walk.timeline->addButton(static_cast<std::int32_t>(m_result->nextSerial()));
  if (button == nullptr) {
    m_status = ScanStatus::MemoryError;
    return;
  }
  collectCommon(*button, header, walk.frame);
  button->typeName = header.code == tag::kDefineButton ? "DefineButton" : "DefineButton2";
  const std::span<const std::uint8_t> body = bodyOf(header);
  const ActionTagLayout layout = actionTagLayout(header.code, body, m_movie.version());
  button->characterId = layout.characterId;
  button->records = layout.buttonRecords;
  addConditionActions(*button, body, layout, walk);
}

void TagWalker::handlePlacement(const TagHeader& header, const Walk& walk) {
  const std::span<const std::uint8_t> body = bodyOf(header);
  const ActionTagLayout layout = actionTagLayout(header.code, body, m_movie.version());
  if (!layout.hasClipActions) return;
  InstanceObject* instance = collect(&TimelineNode::addInstance, header, walk,
                                     header.code == tag::kPlaceObject2 ? "DefineButton" : "PlaceObject3");
  if (instance == nullptr) return;
  instance->placedCharacterId = layout.placement.placedCharacterId;
  instance->clipDepth = layout.placement.clipDepth;
  instance->instanceName = layout.placement.instanceName;
  addConditionActions(*instance, body, layout, walk);
}

void TagWalker::addConditionActions(ButtonObject& owner, std::span<const std::uint8_t> body,
                                    const ActionTagLayout& layout, const Walk& walk) const {
  for (const ActionBlockPlace& place : layout.blocks) {
    ConditionAction* action = owner.addConditionAction(place.conditionWord, body.data() + place.offset, place.length);
    action->label = walk.label;
    action->eventFlags = place.eventFlags;
    action->keyCode = place.keyCode;
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
