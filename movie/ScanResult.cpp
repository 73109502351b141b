#include "movie/ScanResult.h"

#include <new>

#include "platform/MessageSink.h"

namespace orvane {

namespace {

template <typename Object>
Object* appendObject(std::vector<std::unique_ptr<Object>>& list, std::int32_t serial) {
  try {
    list.push_back(std::make_unique<Object>());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  list.back()->serial = serial;
  return list.back().get();
}

template <typename Object>
Object* findIn(const std::vector<std::unique_ptr<TimelineNode>>& timelines,
               std::vector<std::unique_ptr<Object>> TimelineNode::*list, std::uint32_t key, bool bySerial) {
  for (const auto& node : timelines) {
    for (const auto& object : (*node).*list) {
      const std::uint32_t value =
          bySerial ? static_cast<std::uint32_t>(object->serial) : static_cast<std::uint32_t>(object->characterId);
      if (value == key) return object.get();
    }
  }
  return nullptr;
}

template <typename Object>
void releaseAll(std::vector<std::unique_ptr<Object>>& list) {
  for (auto& object : list) object->releaseResources();
}

}  // namespace

std::string TimelineNode::displayName(bool details) const {
  if (nodeId == 0) return "Main Movie Stage";
  std::string name = "Movie Object (ID " + std::to_string(nodeId) + ")";
  if (details) name += " " + std::to_string(frameCount) + " Frames tagid " + std::to_string(spriteId);
  return name;
}

ImageObject* TimelineNode::addImage(std::int32_t serial) { return appendObject(images, serial); }
SoundObject* TimelineNode::addSound(std::int32_t serial) { return appendObject(sounds, serial); }
ActionObject* TimelineNode::addAction(std::int32_t serial) { return appendObject(actions, serial); }
InitActionObject* TimelineNode::addInitAction(std::int32_t serial) { return appendObject(initActions, serial); }
ButtonObject* TimelineNode::addButton(std::int32_t serial) { return appendObject(buttons, serial); }
InstanceObject* TimelineNode::addInstance(std::int32_t serial) { return appendObject(instances, serial); }
VideoObject* TimelineNode::addVideo(std::int32_t serial) { return appendObject(videos, serial); }
AbcObject* TimelineNode::addAbcObject(std::int32_t serial) { return appendObject(abcObjects, serial); }

ShapeObject* TimelineNode::addShape() { return appendObject(shapes, 0); }
MorphShapeObject* TimelineNode::addMorphShape() { return appendObject(morphShapes, 0); }
FontObject* TimelineNode::addFont() { return appendObject(fonts, 0); }
TextObject* TimelineNode::addText() { return appendObject(texts, 0); }

AbcTag* TimelineNode::addAbcTag() {
  try {
    abcTags.push_back(std::make_unique<AbcTag>());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return abcTags.back().get();
}

bool TimelineNode::hasObjects() const {
  return !images.empty() || !sounds.empty() || !actions.empty() || !initActions.empty() || !buttons.empty() ||
         !instances.empty() || !videos.empty() || !abcObjects.empty();
}

void TimelineNode::releaseResources() {
  releaseAll(images);
  releaseAll(sounds);
  releaseAll(actions);
  releaseAll(initActions);
  releaseAll(buttons);
  releaseAll(instances);
  releaseAll(videos);
}

ScanResult::~ScanResult() { clear(); }

void ScanResult::clear() {
  if (!m_keepTemporaryFiles) {
    for (auto& node : m_timelines) node->releaseResources();
  }
  m_timelines.clear();
  path.clear();
  fileLength = version = frameRate = frameCount = headerLength = 0;
  compression = MovieCompression::None;
  background = Rgba{255, 255, 255, 255};
  width = height = 0;
  m_objectCounter = 0;
  m_timelineCounter = 0;
}

TimelineNode* ScanResult::addTimeline() {
  try {
    m_timelines.push_back(std::make_unique<TimelineNode>());
  } catch (const std::bad_alloc&) {
    if (m_sink != nullptr) m_sink->show({"", "Error, Allocating Memory for Movie Object", MessageIcon::Error});
    return nullptr;
  }
  m_timelines.back()->nodeId = m_timelineCounter++;
  return m_timelines.back().get();
}

SoundObject* ScanResult::findSound(std::uint32_t key, bool bySerial) const {
  return findIn(m_timelines, &TimelineNode::sounds, key, bySerial);
}
ImageObject* ScanResult::findImage(std::uint32_t key, bool bySerial) const {
  return findIn(m_timelines, &TimelineNode::images, key, bySerial);
}
ActionObject* ScanResult::findAction(std::uint32_t key, bool bySerial) const {
  if (ActionObject* action = findIn(m_timelines, &TimelineNode::actions, key, bySerial)) return action;
  return findIn(m_timelines, &TimelineNode::initActions, key, bySerial);
}
ButtonObject* ScanResult::findButton(std::uint32_t key, bool bySerial) const {
  return findIn(m_timelines, &TimelineNode::buttons, key, bySerial);
}
InstanceObject* ScanResult::findInstance(std::uint32_t key, bool bySerial) const {
  return findIn(m_timelines, &TimelineNode::instances, key, bySerial);
}

VideoObject* ScanResult::findVideo(std::uint32_t key, bool bySerial) const {
  return findIn(m_timelines, &TimelineNode::videos, key, bySerial);
}

AbcObject* ScanResult::findAbcObject(std::uint32_t key, bool bySerial) const {
  return findIn(m_timelines, &TimelineNode::abcObjects, key, bySerial);
}

AssetObject* ScanResult::findAsset(std::uint32_t key, bool bySerial) const {
  if (AssetObject* shape = findIn(m_timelines, &TimelineNode::shapes, key, bySerial)) return shape;
  if (AssetObject* morph = findIn(m_timelines, &TimelineNode::morphShapes, key, bySerial)) return morph;
  if (AssetObject* font = findIn(m_timelines, &TimelineNode::fonts, key, bySerial)) return font;
  return findIn(m_timelines, &TimelineNode::texts, key, bySerial);
}

MovieObject* ScanResult::findByCharacterId(std::uint32_t id) const {
  if (MovieObject* sound = findSound(id, false)) return sound;
  if (MovieObject* image = findImage(id, false)) return image;
  return findButton(id, false);
}

TimelineNode* ScanResult::findSpriteTimeline(std::uint16_t spriteId) const {
  for (const auto& node : m_timelines)
    if (node->nodeId != 0 && node->spriteId == spriteId) return node.get();
  return nullptr;
}

}  // namespace orvane
