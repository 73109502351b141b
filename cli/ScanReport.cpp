#include "cli/ScanReport.h"

#include "cli/AssetJson.h"
#include "cli/JsonText.h"
#include "movie/AssetTree.h"
#include "movie/MoviePanels.h"

namespace orvane {

namespace {

void appendTree(std::string& out, const ObjectTreeItem& item, int level) {
  out.append(static_cast<std::size_t>(level) * 2, ' ');
  out += item.text + "\n";
  for (const ObjectTreeItem& child : item.children) appendTree(out, child, level + 1);
}

std::string conditionsJson(const ButtonObject& owner) {
  std::vector<std::string> items;
  for (const auto& condition : owner.conditionActions) {
    items.push_back(JsonObject()
                        .field("condition", static_cast<long long>(condition->conditionWord))
                        .field("length", static_cast<long long>(condition->length()))
                        .done());
  }
  return jsonArray(items);
}

std::string timelineJson(const TimelineNode& node, bool details, const AssetJson* assets) {
  std::vector<std::string> objects;
  for (const auto& action : node.actions)
    objects.push_back(objectJson("action", *action, details).field("length", static_cast<long long>(action->length())).done());
  for (const auto& action : node.initActions) {
    objects.push_back(objectJson("initAction", *action, details)
                          .field("spriteId", static_cast<long long>(action->characterId))
                          .field("length", static_cast<long long>(action->length()))
                          .done());
  }
  for (const auto& object : node.abcObjects) {
    const bool isClass = object->kind == AbcObject::Kind::Class;
    JsonObject json = objectJson(isClass ? "abcClass" : "abcScript", *object, details);
    if (isClass)
      json.field("className", object->className).field("classIndex", static_cast<long long>(object->index));
    else
      json.field("scriptNumber", static_cast<long long>(object->scriptNumber))
          .field("scriptIndex", static_cast<long long>(object->index));
    objects.push_back(json.field("tagName", object->tag->name)
                          .field("tagFlags", static_cast<long long>(object->tag->flags))
                          .done());
  }
  for (const auto& button : node.buttons)
    objects.push_back(objectJson("button", *button, details).raw("conditions", conditionsJson(*button)).done());
  for (const auto& instance : node.instances) {
    objects.push_back(objectJson("instance", *instance, details)
                          .field("instanceName", instance->instanceName)
                          .field("placedCharacterId", static_cast<long long>(instance->placedCharacterId))
                          .field("clipDepth", static_cast<long long>(instance->clipDepth))
                          .raw("conditions", conditionsJson(*instance))
                          .done());
  }
  for (const auto& image : node.images) {
    objects.push_back(objectJson("image", *image, details)
                          .field("formatName", image->formatName)
                          .field("tempFile", image->tempFilePath)
                          .field("viewable", image->viewable)
                          .done());
  }
  for (const auto& sound : node.sounds) {
    objects.push_back(objectJson("sound", *sound, details)
                          .field("tempFile", sound->hasFile ? sound->tempFilePath : std::string())
                          .field("format", static_cast<long long>(sound->format))
                          .field("sampleRate", static_cast<long long>(sound->sampleRate))
                          .field("sampleSize", static_cast<long long>(sound->sampleSize))
                          .field("channels", static_cast<long long>(sound->channels))
                          .field("sampleCount", static_cast<long long>(sound->sampleCount))
                          .field("blockCount", static_cast<long long>(sound->blockCount))
                          .done());
  }
  for (const auto& video : node.videos) {
    objects.push_back(objectJson("video", *video, details)
                          .field("codecId", static_cast<long long>(video->codecId))
                          .field("width", static_cast<long long>(video->width))
                          .field("height", static_cast<long long>(video->height))
                          .field("declaredFrames", static_cast<long long>(video->declaredFrames))
                          .field("frames", static_cast<long long>(video->frames.size()))
                          .done());
  }
  if (assets != nullptr) assets->append(node, details, objects);
  return JsonObject()
      .field("nodeId", static_cast<long long>(node.nodeId))
      .field("spriteId", static_cast<long long>(node.spriteId))
      .field("frameCount", static_cast<long long>(node.frameCount))
      .field("displayName", node.displayName(details))
      .raw("objects", jsonArray(objects))
      .done();
}

}  // namespace

JsonObject objectJson(const char* kind, const MovieObject& object, bool details) {
  JsonObject json;
  json.field("kind", std::string(kind))
      .field("serial", static_cast<long long>(object.serial))
      .field("characterId", static_cast<long long>(object.characterId))
      .field("frame", static_cast<long long>(object.frame))
      .field("label", object.label)
      .field("typeName", object.typeName)
      .field("displayName", object.describe(details));
  return json;
}

std::string scanText(const ScanResult& result, bool details, bool showEmpty) {
  std::string out;
  for (const PropertyRow& row : moviePropertyRows(result)) out += row.property + "\t" + row.value + "\n";
  out += "\n";
  for (const ObjectTreeItem& item : objectTree(result, details, showEmpty)) appendTree(out, item, 0);
  out += "\n";
  for (const InstanceRow& row : instanceRows(result, details))
    out += row.id + "\t" + row.instanceName + "\t" + row.frame + "\t" + row.details + "\n";
  return out;
}

std::string assetsText(const ScanResult& result, bool details, bool showEmpty) {
  std::string out;
  for (const ObjectTreeItem& item : assetTree(result, details, showEmpty)) appendTree(out, item, 0);
  return out;
}

std::string scanJson(const ScanResult& result, bool details, const AssetJson* assets) {
  std::vector<std::string> timelines;
  for (const auto& node : result.timelines()) timelines.push_back(timelineJson(*node, details, assets));
  return JsonObject()
             .field("path", result.path)
             .field("fileLength", static_cast<long long>(result.fileLength))
             .field("version", static_cast<long long>(result.version))
             .field("width", static_cast<long long>(result.width))
             .field("height", static_cast<long long>(result.height))
             .field("frameRate", static_cast<long long>(result.frameRate))
             .field("frameCount", static_cast<long long>(result.frameCount))
             .field("headerLength", static_cast<long long>(result.headerLength))
             .field("compression", std::string(compressionName(result.compression)))
             .raw("timelines", jsonArray(timelines))
             .done() +
         "\n";
}

}  // namespace orvane
