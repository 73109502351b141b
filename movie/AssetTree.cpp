#include "movie/AssetTree.h"

#include <algorithm>
#include <limits>

namespace orvane {

namespace {

constexpr std::int64_t kLargestId = std::numeric_limits<std::int32_t>::max();

template <typename Object>
void addAssetFolder(ObjectTreeItem& timeline, const char* name, const std::vector<std::unique_ptr<Object>>& objects,
                    int kind, bool details) {
  if (objects.empty()) return;
  ObjectTreeItem folder{std::string(name) + " (" + std::to_string(objects.size()) + ")", 0, {}};
  folder.children.reserve(objects.size());
  for (const auto& object : objects) folder.children.push_back({object->describe(details), object->serial, {}, kind});
  timeline.children.push_back(std::move(folder));
}

/// `firstId` is the id of the timeline's frame 0.
ObjectTreeItem assetTimelineItem(const TimelineNode& node, bool details, std::int64_t firstId) {
  ObjectTreeItem item{node.displayName(details), 0, {}};
  addAssetFolder(item, "Shapes", node.shapes, viewkind::kShape, details);
  addAssetFolder(item, "Morph Shapes", node.morphShapes, viewkind::kMorphShape, details);
  addAssetFolder(item, "Fonts", node.fonts, viewkind::kFont, details);
  addAssetFolder(item, "Texts", node.texts, viewkind::kText, details);
  ObjectTreeItem frames{"Frames (" + std::to_string(node.playedFrames()) + ")", 0, {}};
  // Frames whose id would not fit are not listed (no movie comes near).
  const std::int64_t listed = std::clamp<std::int64_t>(kLargestId - firstId + 1, 0, node.playedFrames());
  frames.children.reserve(static_cast<std::size_t>(listed));
  for (std::int64_t frame = 0; frame < listed; ++frame) {
    frames.children.push_back(
        {"Frame[" + std::to_string(frame) + "] ", static_cast<std::int32_t>(firstId + frame), {}, viewkind::kFrame});
  }
  item.children.push_back(std::move(frames));
  return item;
}

bool placesAnything(const TimelineNode& node) {
  return !node.displayTags.empty() || !node.shapes.empty() || !node.morphShapes.empty() || !node.fonts.empty() ||
         !node.texts.empty();
}

}  // namespace

std::vector<ObjectTreeItem> assetTree(const ScanResult& result, bool showDetails, bool showEmpty) {
  const auto& timelines = result.timelines();
  if (timelines.empty()) return {{"No Movie Objects", 0, {}}};
  ObjectTreeItem root = assetTimelineItem(*timelines.front(), showDetails, 1);
  std::int64_t firstId = 1 + timelines.front()->playedFrames();
  for (std::size_t i = 1; i < timelines.size(); ++i) {
    const TimelineNode& node = *timelines[i];
    if (showEmpty || placesAnything(node)) root.children.push_back(assetTimelineItem(node, showDetails, firstId));
    firstId += node.playedFrames();
  }
  return {std::move(root)};
}

const AssetObject* assetOfItem(const ScanResult& result, int kind, std::int32_t id) {
  const AssetObject* object = id > 0 ? result.findAsset(static_cast<std::uint32_t>(id), true) : nullptr;
  switch (kind) {
    case viewkind::kShape: return dynamic_cast<const ShapeObject*>(object);
    case viewkind::kMorphShape: return dynamic_cast<const MorphShapeObject*>(object);
    case viewkind::kFont: return dynamic_cast<const FontObject*>(object);
    case viewkind::kText: return dynamic_cast<const TextObject*>(object);
    default: return nullptr;
  }
}

std::int32_t frameItemId(const ScanResult& result, const TimelineNode& timeline, std::uint32_t frame) {
  std::int64_t firstId = 1;
  for (const auto& node : result.timelines()) {
    if (node.get() == &timeline) {
      const std::int64_t id = firstId + frame;
      return frame < node->playedFrames() && id <= kLargestId ? static_cast<std::int32_t>(id) : 0;
    }
    firstId += node->playedFrames();
  }
  return 0;
}

std::optional<FrameReference> frameOfItem(const ScanResult& result, std::int32_t id) {
  if (id < 1) return std::nullopt;
  std::int64_t firstId = 1;
  for (const auto& node : result.timelines()) {
    if (id < firstId + node->playedFrames()) return FrameReference{node.get(), static_cast<std::uint32_t>(id - firstId)};
    firstId += node->playedFrames();
  }
  return std::nullopt;
}

}  // namespace orvane
