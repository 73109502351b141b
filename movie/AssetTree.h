// The "Assets" tab of the movie objects panel: the vector assets and the frames of every
// timeline, and the ids its frame items carry.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "movie/MoviePanels.h"

namespace orvane {

/// One root (the main timeline) holding "Shapes (%d)", "Morph Shapes (%d)", "Fonts (%d)",
/// "Texts (%d)" (each only when the timeline has such objects) and "Frames (%d)", then the
/// sprite timelines that place anything (all of them with `showEmpty`), with the same
/// folders; a single "No Movie Objects" item without timelines. Every object and frame item
/// carries its window kind.
std::vector<ObjectTreeItem> assetTree(const ScanResult& result, bool showDetails, bool showEmpty);

/// The asset that "ChangeView" of a shape, morph shape, font or text kind names: the object
/// with serial `id` when it is of that kind; none otherwise.
const AssetObject* assetOfItem(const ScanResult& result, int kind, std::int32_t id);

/// A frame of one timeline, counted from 0.
struct FrameReference {
  const TimelineNode* timeline = nullptr;
  std::uint32_t frame = 0;
};

/// The id of a frame item: the frames of all timelines in their order, numbered from 1;
/// 0 when the frame is not one the timeline plays or its number would not fit.
std::int32_t frameItemId(const ScanResult& result, const TimelineNode& timeline, std::uint32_t frame);
/// The frame an id names; none when no frame has it.
std::optional<FrameReference> frameOfItem(const ScanResult& result, std::int32_t id);

}  // namespace orvane
