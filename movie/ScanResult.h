// The result of a scan: the movie's header values and one node per timeline with its objects.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "movie/AssetObjects.h"
#include "movie/MovieObject.h"
#include "movie/MovieSource.h"

namespace orvane {

class MessageSink;

class TimelineNode {
 public:
  /// "Main Movie Stage" for node 0, else "Movie Object (ID %d)" (with details followed by
  /// " %d Frames tagid %d").
  std::string displayName(bool details) const;

  ImageObject* addImage(std::int32_t serial);
  SoundObject* addSound(std::int32_t serial);
  ActionObject* addAction(std::int32_t serial);
  InitActionObject* addInitAction(std::int32_t serial);
  ButtonObject* addButton(std::int32_t serial);
  InstanceObject* addInstance(std::int32_t serial);
  VideoObject* addVideo(std::int32_t serial);
  /// A new recorded ABC tag; none when it cannot be allocated.
  AbcTag* addAbcTag();
  AbcObject* addAbcObject(std::int32_t serial);
  /// New asset objects; their serials are given by numberAssetObjects after the scan.
  ShapeObject* addShape();
  MorphShapeObject* addMorphShape();
  FontObject* addFont();
  TextObject* addText();

  std::size_t imageCount() const { return images.size(); }
  std::size_t soundCount() const { return sounds.size(); }
  std::size_t actionCount() const { return actions.size(); }
  std::size_t initActionCount() const { return initActions.size(); }
  std::size_t buttonCount() const { return buttons.size(); }
  std::size_t instanceCount() const { return instances.size(); }
  std::size_t videoCount() const { return videos.size(); }
  std::size_t abcObjectCount() const { return abcObjects.size(); }
  /// Whether the timeline has any of the objects the specified panels list (assets aside).
  bool hasObjects() const;

  /// Runs every object's release operation.
  void releaseResources();

  std::uint32_t nodeId = 0;
  std::uint16_t spriteId = 0xFFFF;
  std::uint16_t frameCount = 0;
  std::vector<std::unique_ptr<ImageObject>> images;
  std::vector<std::unique_ptr<SoundObject>> sounds;
  std::vector<std::unique_ptr<ActionObject>> actions;
  /// Only the main timeline holds init actions.
  std::vector<std::unique_ptr<InitActionObject>> initActions;
  std::vector<std::unique_ptr<ButtonObject>> buttons;
  std::vector<std::unique_ptr<InstanceObject>> instances;
  std::vector<std::unique_ptr<VideoObject>> videos;
  /// Only the main timeline holds ABC tags, and the scripts and classes read from them.
  std::vector<std::unique_ptr<AbcTag>> abcTags;
  std::vector<std::unique_ptr<AbcObject>> abcObjects;
  std::vector<std::unique_ptr<ShapeObject>> shapes;
  std::vector<std::unique_ptr<MorphShapeObject>> morphShapes;
  std::vector<std::unique_ptr<FontObject>> fonts;
  std::vector<std::unique_ptr<TextObject>> texts;
  /// The tags that build the timeline's frames, in tag order.
  std::vector<DisplayTag> displayTags;
  /// The ShowFrame tags of the timeline: its frames as they are played.
  std::uint32_t shownFrames = 0;
  /// The frames a renderer can show: one per ShowFrame, and one for a timeline without any.
  std::uint32_t playedFrames() const { return shownFrames == 0 ? 1 : shownFrames; }
};

class ScanResult {
 public:
  ScanResult() = default;
  ScanResult(const ScanResult&) = delete;
  ScanResult& operator=(const ScanResult&) = delete;
  ~ScanResult();

  /// Where "Error, Allocating Memory for Movie Object" goes; may be none.
  void setMessageSink(MessageSink* sink) { m_sink = sink; }

  /// Releases every object and node and zeroes the header values and both counters.
  void clear();
  /// Whether clearing leaves the temporary object files in place (a folder the user chose
  /// keeps them) instead of deleting the images' files; off at first.
  void setKeepTemporaryFiles(bool keep) { m_keepTemporaryFiles = keep; }
  std::uint32_t nextSerial() { return ++m_objectCounter; }
  /// A new empty node at the end of the list; none when it cannot be allocated.
  TimelineNode* addTimeline();
  TimelineNode* firstTimeline() const { return m_timelines.empty() ? nullptr : m_timelines.front().get(); }
  const std::vector<std::unique_ptr<TimelineNode>>& timelines() const { return m_timelines; }

  /// By serial when `bySerial` is set, else by character id; first match in node order.
  SoundObject* findSound(std::uint32_t key, bool bySerial) const;
  ImageObject* findImage(std::uint32_t key, bool bySerial) const;
  /// A frame action, else an init action.
  ActionObject* findAction(std::uint32_t key, bool bySerial) const;
  ButtonObject* findButton(std::uint32_t key, bool bySerial) const;
  InstanceObject* findInstance(std::uint32_t key, bool bySerial) const;
  VideoObject* findVideo(std::uint32_t key, bool bySerial) const;
  AbcObject* findAbcObject(std::uint32_t key, bool bySerial) const;
  /// A shape, morph shape, font or text.
  AssetObject* findAsset(std::uint32_t key, bool bySerial) const;
  /// A sound, else an image, else a button with that character id.
  MovieObject* findByCharacterId(std::uint32_t id) const;
  /// The sprite timeline whose DefineSprite has that character id (never the main timeline).
  TimelineNode* findSpriteTimeline(std::uint16_t spriteId) const;

  std::uint32_t objectCounter() const { return m_objectCounter; }

  std::string path;
  std::uint32_t fileLength = 0;
  std::uint32_t version = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t frameRate = 0;
  std::uint32_t frameCount = 0;
  std::uint32_t headerLength = 0;
  MovieCompression compression = MovieCompression::None;  // how the file on disk is stored
  /// The first SetBackgroundColor of the main timeline (RGB); white when there is none.
  Rgba background{255, 255, 255, 255};

 private:
  MessageSink* m_sink = nullptr;
  bool m_keepTemporaryFiles = false;
  std::uint32_t m_objectCounter = 0;
  std::uint32_t m_timelineCounter = 0;
  std::vector<std::unique_ptr<TimelineNode>> m_timelines;
};

}  // namespace orvane
