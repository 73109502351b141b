// The characters of a scanned movie by id, with their shapes decoded once when first drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>

#include "movie/MorphShapeRecords.h"
#include "movie/ScanResult.h"
#include "movie/ShapeRecords.h"
#include "vector/ShapePaths.h"

namespace orvane {

/// A DefineShape read and assembled.
struct DecodedShape {
  DefinedShape defined;
  ShapePaths paths;
};

class CharacterLibrary {
 public:
  /// `movie` is the scanned movie's bytes; both must outlive the library.
  CharacterLibrary(const ScanResult& result, std::span<const std::uint8_t> movie);

  const ScanResult& result() const { return m_result; }
  std::span<const std::uint8_t> movie() const { return m_movie; }

  /// None when no shape has that id. Decoded at the first call.
  const DecodedShape* shape(std::uint16_t id);
  const MorphShape* morphShape(std::uint16_t id);
  const TimelineNode* sprite(std::uint16_t id) const;
  const ButtonObject* button(std::uint16_t id) const;
  const TextObject* text(std::uint16_t id) const;
  const FontObject* font(std::uint16_t id) const;
  /// The first frame of the timeline whose frame actions hold a stop, or none (-1).
  std::int64_t firstStopFrame(const TimelineNode& timeline);

 private:
  template <typename Object>
  static void index(std::unordered_map<std::uint16_t, const Object*>& map,
                    const std::vector<std::unique_ptr<Object>>& objects);

  const ScanResult& m_result;
  std::span<const std::uint8_t> m_movie;
  std::unordered_map<std::uint16_t, const ShapeObject*> m_shapeObjects;
  std::unordered_map<std::uint16_t, const MorphShapeObject*> m_morphObjects;
  std::unordered_map<std::uint16_t, const ButtonObject*> m_buttons;
  std::unordered_map<std::uint16_t, const TextObject*> m_texts;
  std::unordered_map<std::uint16_t, const FontObject*> m_fonts;
  std::unordered_map<std::uint16_t, const TimelineNode*> m_sprites;
  std::unordered_map<std::uint16_t, std::unique_ptr<DecodedShape>> m_shapes;
  std::unordered_map<std::uint16_t, std::unique_ptr<MorphShape>> m_morphs;
  std::unordered_map<const TimelineNode*, std::int64_t> m_stops;
};

/// Whether the action block holds a stop (ActionStop) among its records.
bool actionsStop(std::span<const std::uint8_t> actions);

}  // namespace orvane
