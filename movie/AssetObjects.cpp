#include "movie/AssetObjects.h"

#include "movie/ScanResult.h"
#include "movie/TagHeader.h"

namespace orvane {

namespace {

template <typename Object>
void numberAll(ScanResult& result, std::vector<std::unique_ptr<Object>>& objects) {
  for (auto& object : objects) object->serial = static_cast<std::int32_t>(result.nextSerial());
}

}  // namespace

std::span<const std::uint8_t> AssetObject::bodyIn(std::span<const std::uint8_t> movie) const {
  if (body.offset >= movie.size()) return {};
  return movie.subspan(body.offset, std::min<std::size_t>(body.length, movie.size() - body.offset));
}

std::string AssetObject::assetText(const char* kind, bool details) const {
  const std::string text = std::string(kind) + " (ID " + std::to_string(characterId) + ")";
  return text + (details ? baseText(true) : " ");
}

std::string ShapeObject::describe(bool details) const { return assetText("Shape", details); }
std::string MorphShapeObject::describe(bool details) const { return assetText("Morph Shape", details); }
std::string FontObject::describe(bool details) const { return assetText("Font", details); }
std::string TextObject::describe(bool details) const {
  return assetText(code == tag::kDefineEditText ? "Edit Text" : "Text", details);
}

void numberAssetObjects(ScanResult& result) {
  for (const auto& timeline : result.timelines()) {
    numberAll(result, timeline->shapes);
    numberAll(result, timeline->morphShapes);
    numberAll(result, timeline->fonts);
    numberAll(result, timeline->texts);
  }
}

}  // namespace orvane
