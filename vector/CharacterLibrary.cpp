#include "vector/CharacterLibrary.h"

namespace orvane {

namespace {

constexpr std::uint8_t kActionStop = 0x07;

template <typename Map>
auto* lookup(const Map& map, std::uint16_t id) {
  const auto found = map.find(id);
  return found == map.end() ? nullptr : found->second;
}

}  // namespace

bool actionsStop(std::span<const std::uint8_t> actions) {
  std::size_t i = 0;
  while (i < actions.size() && actions[i] != 0) {
    const std::uint8_t code = actions[i];
    if (code == kActionStop) return true;
    if (code < 0x80) {
      ++i;
    } else {
      if (i + 3 > actions.size()) return false;
      i += 3 + (actions[i + 1] | (actions[i + 2] << 8));
    }
  }
  return false;
}

template <typename Object>
void CharacterLibrary::index(std::unordered_map<std::uint16_t, const Object*>& map,
                             const std::vector<std::unique_ptr<Object>>& objects) {
  // The first definition of an id is the one the player keeps.
  for (const auto& object : objects) map.emplace(object->characterId, object.get());
}

CharacterLibrary::CharacterLibrary(const ScanResult& result, std::span<const std::uint8_t> movie)
    : m_result(result), m_movie(movie) {
  for (const auto& timeline : result.timelines()) {
    index(m_shapeObjects, timeline->shapes);
    index(m_morphObjects, timeline->morphShapes);
    index(m_buttons, timeline->buttons);
    index(m_texts, timeline->texts);
    index(m_fonts, timeline->fonts);
    if (timeline->nodeId != 0) m_sprites.emplace(timeline->spriteId, timeline.get());
  }
}

const DecodedShape* CharacterLibrary::shape(std::uint16_t id) {
  if (const auto cached = m_shapes.find(id); cached != m_shapes.end()) return cached->second.get();
  const ShapeObject* object = lookup(m_shapeObjects, id);
  if (object == nullptr) return nullptr;
  auto decoded = std::make_unique<DecodedShape>();
  decoded->defined = readDefineShape(object->bodyIn(m_movie), object->code);
  decoded->paths = assembleShape(decoded->defined.shape);
  return m_shapes.emplace(id, std::move(decoded)).first->second.get();
}

const MorphShape* CharacterLibrary::morphShape(std::uint16_t id) {
  if (const auto cached = m_morphs.find(id); cached != m_morphs.end()) return cached->second.get();
  const MorphShapeObject* object = lookup(m_morphObjects, id);
  if (object == nullptr) return nullptr;
  auto morph = std::make_unique<MorphShape>(readMorphShape(object->bodyIn(m_movie), object->code));
  return m_morphs.emplace(id, std::move(morph)).first->second.get();
}

const TimelineNode* CharacterLibrary::sprite(std::uint16_t id) const { return lookup(m_sprites, id); }
const ButtonObject* CharacterLibrary::button(std::uint16_t id) const { return lookup(m_buttons, id); }
const TextObject* CharacterLibrary::text(std::uint16_t id) const { return lookup(m_texts, id); }
const FontObject* CharacterLibrary::font(std::uint16_t id) const { return lookup(m_fonts, id); }

std::int64_t CharacterLibrary::firstStopFrame(const TimelineNode& timeline) {
  if (const auto cached = m_stops.find(&timeline); cached != m_stops.end()) return cached->second;
  std::int64_t first = -1;
  for (const auto& action : timeline.actions) {
    if ((first < 0 || action->frame < first) && actionsStop(action->bytes)) first = action->frame;
  }
  m_stops.emplace(&timeline, first);
  return first;
}

}  // namespace orvane
