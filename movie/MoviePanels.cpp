#include "movie/MoviePanels.h"

#include <algorithm>

namespace orvane {

namespace {

template <typename Count>
std::size_t sumOverTimelines(const ScanResult& result, Count count) {
  std::size_t total = 0;
  for (const auto& node : result.timelines()) total += count(*node);
  return total;
}

bool isListedSound(const SoundObject& sound) {
  return sound.hasFile && (sound.typeName == "DefineSound" || sound.blockCount > 1);
}

std::string countedFolder(const std::string& name, std::size_t count) {
  return name + " (" + std::to_string(count) + ")";
}

ObjectTreeItem timelineItem(const TimelineNode& node, bool details) {
  ObjectTreeItem item{node.displayName(details), 0, {}};
  std::size_t added = 0;
  if (!node.actions.empty()) {
    ObjectTreeItem folder{"", 0, {}};
    for (const auto& action : node.actions) folder.children.push_back({action->describe(details), action->serial, {}});
    folder.text = countedFolder("Actions", folder.children.size());
    added += folder.children.size();
    item.children.push_back(std::move(folder));
  }
  if (!node.initActions.empty()) {
    ObjectTreeItem folder{"", 0, {}};
    for (const auto& action : node.initActions)
      folder.children.push_back({action->describe(details), action->serial, {}});
    folder.text = countedFolder("Init Actions", folder.children.size());
    added += folder.children.size();
    item.children.push_back(std::move(folder));
  }
  if (!node.abcObjects.empty()) {
    ObjectTreeItem folder{"", 0, {}};
    for (const auto& object : node.abcObjects)
      folder.children.push_back({object->describe(details), object->serial, {}});
    folder.text = countedFolder("ActionScript 3", folder.children.size());
    added += folder.children.size();
    item.children.push_back(std::move(folder));
  }
  if (!node.buttons.empty()) {
    ObjectTreeItem folder{"", 0, {}};
    for (const auto& button : node.buttons)
      if (button->conditionCount() > 0) folder.children.push_back({button->describe(details), button->serial, {}});
    folder.text = countedFolder("Buttons", folder.children.size());
    added += folder.children.size();
    item.children.push_back(std::move(folder));
  }
  if (!node.sounds.empty()) {
    ObjectTreeItem folder{"", 0, {}};
    for (const auto& sound : node.sounds)
      if (isListedSound(*sound)) folder.children.push_back({sound->describe(details), sound->serial, {}});
    folder.text = countedFolder("Sounds", folder.children.size());
    added += folder.children.size();
    if (!folder.children.empty()) item.children.push_back(std::move(folder));
  }
  if (!node.images.empty()) {
    ObjectTreeItem folder{"", 0, {}};
    for (const auto& image : node.images)
      if (image->typeName != "DefineJPEGTable") folder.children.push_back({image->describe(details), image->serial, {}});
    folder.text = countedFolder("Images", folder.children.size());
    added += folder.children.size();
    item.children.push_back(std::move(folder));
  }
  if (!node.videos.empty()) {
    ObjectTreeItem folder{"", 0, {}};
    for (const auto& video : node.videos) folder.children.push_back({video->describe(details), video->serial, {}});
    folder.text = countedFolder("Videos", folder.children.size());
    added += folder.children.size();
    item.children.push_back(std::move(folder));
  }
  if (added == 0) item.children.push_back({"No Supported Objects Found", 0, {}});
  return item;
}

bool isShownSprite(const TimelineNode& node, bool showEmpty) {
  return showEmpty || !node.actions.empty() || !node.images.empty() || !node.sounds.empty() ||
         !node.buttons.empty() || !node.videos.empty();
}

std::string instanceDetails(const ScanResult& result, const InstanceObject& instance) {
  std::string details;
  if (instance.clipDepth != 0) details += "ClipDepth: " + std::to_string(instance.clipDepth) + " ";
  details += "Place Character: " + std::to_string(instance.placedCharacterId) + " ";
  if (const MovieObject* object = result.findByCharacterId(instance.placedCharacterId))
    details += "[" + object->describe(true) + "]";
  else if (const TimelineNode* sprite = result.findSpriteTimeline(instance.placedCharacterId))
    details += "[ Instance Of " + sprite->displayName(true) + "]";
  return details;
}

}  // namespace

std::vector<PropertyRow> moviePropertyRows(const ScanResult& result) {
  const auto number = [](auto value) { return " " + std::to_string(value); };
  const std::uint32_t playingTime = result.frameRate == 0 ? 0 : result.frameCount / result.frameRate;
  std::vector<PropertyRow> rows{
      {"File Size", number(result.fileLength) + " Bytes"},
      {"SWF Movie Version", number(result.version)},
      {"Movie Width", number(result.width) + " pixels"},
      {"Movie Height", number(result.height) + " pixels"},
      {"Frame Rate", number(static_cast<std::int32_t>(result.frameRate)) + " frames\\sec"},
      {"Frame Count", number(static_cast<std::int32_t>(result.frameCount))},
      {" ", ""},
      {"Images Count", number(sumOverTimelines(result, [](const TimelineNode& n) { return n.imageCount(); }))},
      {"Sounds Count", number(sumOverTimelines(result, [](const TimelineNode& n) { return n.soundCount(); }))},
      {"Actions Count", number(sumOverTimelines(result, [](const TimelineNode& n) { return n.actionCount(); }))},
      {"Buttons Count", number(sumOverTimelines(result, [](const TimelineNode& n) { return n.buttonCount(); }))},
      {"Sprite Definition Count", std::to_string(result.timelines().size())},
      {"Sprite Instances with Actions Count",
       std::to_string(sumOverTimelines(result, [](const TimelineNode& n) { return n.instanceCount(); }))},
      {" ", ""},
      {"Approx Playing Time", number(static_cast<std::int32_t>(playingTime)) + " sec"},
  };
  if (sumOverTimelines(result, [](const TimelineNode& n) { return n.abcTags.size(); }) > 0) {
    const auto count = [&result](AbcObject::Kind kind) {
      return sumOverTimelines(result, [kind](const TimelineNode& n) {
        return static_cast<std::size_t>(std::count_if(n.abcObjects.begin(), n.abcObjects.end(),
                                                      [kind](const auto& object) { return object->kind == kind; }));
      });
    };
    const auto after = rows.begin() + 13;  // after the sprite instances
    rows.insert(after, {{"ActionScript 3 Classes Count", number(count(AbcObject::Kind::Class))},
                        {"ActionScript 3 Scripts Count", number(count(AbcObject::Kind::Script))}});
  }
  return rows;
}

std::string compressionNote(MovieCompression compression) {
  switch (compression) {
    case MovieCompression::Zlib: return "zlib-compressed movie (CWS)";
    case MovieCompression::Lzma: return "LZMA-compressed movie (ZWS)";
    default: return "";
  }
}

std::vector<ObjectTreeItem> objectTree(const ScanResult& result, bool showDetails, bool showEmpty) {
  const auto& timelines = result.timelines();
  if (timelines.empty()) return {{"No Movie Objects", 0, {}}};
  ObjectTreeItem root = timelineItem(*timelines.front(), showDetails);
  for (std::size_t i = 1; i < timelines.size(); ++i)
    if (isShownSprite(*timelines[i], showEmpty)) root.children.push_back(timelineItem(*timelines[i], showDetails));
  return {std::move(root)};
}

int changeViewKind(const std::string& itemText) {
  // No other item begins with these words, and a class's name may hold any of the words below.
  if (itemText.starts_with("Class ") || itemText.starts_with("Script ")) return viewkind::kAbc;
  int kind = viewkind::kNone;
  if (itemText.find("Action") != std::string::npos) kind = viewkind::kAction;
  if (itemText.find("Sound") != std::string::npos) kind = viewkind::kSound;
  if (itemText.find("Image") != std::string::npos) kind = viewkind::kImage;
  if (itemText.find("Button") != std::string::npos) kind = viewkind::kButton;
  return kind;
}

std::vector<InstanceRow> instanceRows(const ScanResult& result, bool showDetails) {
  if (result.timelines().empty()) return {{"0", "No Items", "", ""}};
  std::vector<InstanceRow> rows;
  for (const auto& node : result.timelines()) {
    for (const auto& instance : node->instances) {
      rows.push_back({std::to_string(instance->serial),
                      instance->instanceName.empty() ? instance->describe(showDetails) : instance->instanceName,
                      instance->label + " [" + std::to_string(instance->frame) + "]",
                      instanceDetails(result, *instance)});
    }
  }
  return rows;
}

}  // namespace orvane
