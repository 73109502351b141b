#include "cli/AssetJson.h"

#include "cli/JsonText.h"
#include "cli/ScanReport.h"
#include "fonts/FontDecoder.h"
#include "movie/TagHeader.h"
#include "movie/MorphShapeRecords.h"
#include "movie/ShapeRecords.h"

namespace orvane {

namespace {

/// A rectangle in twips.
std::string rectJson(const SwfRect& rect) {
  return JsonObject()
      .field("xMin", static_cast<long long>(rect.xMin))
      .field("xMax", static_cast<long long>(rect.xMax))
      .field("yMin", static_cast<long long>(rect.yMin))
      .field("yMax", static_cast<long long>(rect.yMax))
      .done();
}

JsonObject assetJson(const char* kind, const AssetObject& object, bool details) {
  JsonObject json = objectJson(kind, object, details);
  json.field("tagCode", static_cast<long long>(object.code));
  return json;
}

std::string faultsJson(const std::vector<std::string>& faults) {
  std::vector<std::string> items;
  for (const std::string& fault : faults) items.push_back(jsonString(fault));
  return jsonArray(items);
}

}  // namespace

AssetJson::AssetJson(const ScanResult& result, std::span<const std::uint8_t> movie)
    : m_movie(movie),
      m_version(static_cast<std::uint8_t>(result.version)),
      m_fonts(result, movie),
      m_texts(movie, m_version, m_fonts) {}

void AssetJson::append(const TimelineNode& node, bool details, std::vector<std::string>& objects) const {
  for (const auto& object : node.shapes) objects.push_back(shape(*object, details));
  for (const auto& object : node.morphShapes) objects.push_back(morphShape(*object, details));
  for (const auto& object : node.fonts) objects.push_back(font(*object, details));
  for (const auto& object : node.texts) objects.push_back(text(*object, details));
}

std::string AssetJson::shape(const ShapeObject& object, bool details) const {
  const DefinedShape defined = readDefineShape(object.bodyIn(m_movie), object.code);
  std::vector<std::string> faults;
  if (!defined.shape.fault.empty()) faults.push_back(defined.shape.fault);
  return assetJson("shape", object, details)
      .raw("bounds", rectJson(defined.bounds))
      .field("styleGroups", static_cast<long long>(defined.shape.styleGroups.size()))
      .raw("faults", faultsJson(faults))
      .done();
}

std::string AssetJson::morphShape(const MorphShapeObject& object, bool details) const {
  const MorphShape morph = readMorphShape(object.bodyIn(m_movie), object.code);
  std::vector<std::string> faults;
  if (!morph.fault.empty()) faults.push_back(morph.fault);
  return assetJson("morphShape", object, details)
      .raw("startBounds", rectJson(morph.startBounds))
      .raw("endBounds", rectJson(morph.endBounds))
      .raw("faults", faultsJson(faults))
      .done();
}

// Each font object is decoded on its own, so that a repeated id describes each definition.
std::string AssetJson::font(const FontObject& object, bool details) const {
  const SwfFont decoded = fontOf(object, m_movie, m_version);
  return assetJson("font", object, details)
      .field("fontName", decoded.name)
      .field("glyphs", static_cast<long long>(decoded.glyphs.size()))
      .field("bold", decoded.bold)
      .field("italic", decoded.italic)
      .field("emUnits", static_cast<long long>(decoded.emUnits))
      .field("embeddedOpenType", !decoded.openTypeData.empty())
      .raw("faults", faultsJson(decoded.faults))
      .done();
}

std::string AssetJson::text(const TextObject& object, bool details) const {
  const TextPicture picture = m_texts.picture(object);
  return assetJson(object.code == tag::kDefineEditText ? "editText" : "text", object, details)
      .raw("bounds", rectJson(picture.bounds))
      .field("characters", m_texts.characters(object))
      .raw("faults", faultsJson(picture.faults))
      .done();
}

std::string assetsJson(const ScanResult& result, bool details, const AssetJson& assets) {
  std::vector<std::string> timelines;
  for (const auto& node : result.timelines()) {
    std::vector<std::string> objects;
    assets.append(*node, details, objects);
    timelines.push_back(JsonObject()
                            .field("nodeId", static_cast<long long>(node->nodeId))
                            .field("spriteId", static_cast<long long>(node->spriteId))
                            .field("displayName", node->displayName(details))
                            .field("frames", static_cast<long long>(node->playedFrames()))
                            .raw("assets", jsonArray(objects))
                            .done());
  }
  return JsonObject()
             .field("path", result.path)
             .field("width", static_cast<long long>(result.width))
             .field("height", static_cast<long long>(result.height))
             .raw("timelines", jsonArray(timelines))
             .done() +
         "\n";
}

}  // namespace orvane
