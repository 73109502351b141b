// The texts of the movie panels: the properties rows, the object tree and the instance
// list, built from a scan result so that the desktop panels and the command-line tool
// show the same thing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "movie/ScanResult.h"

namespace orvane {

struct PropertyRow {
  std::string property;
  std::string value;
};

/// The fifteen "Movie Properties" rows; a movie with ABC tags has two more before the
/// second blank row, "ActionScript 3 Classes Count" and "ActionScript 3 Scripts Count".
std::vector<PropertyRow> moviePropertyRows(const ScanResult& result);

/// The main window's status-bar note on how the movie file is stored: empty for an
/// uncompressed movie, else "zlib-compressed movie (CWS)" or "LZMA-compressed movie (ZWS)".
std::string compressionNote(MovieCompression compression);

namespace viewkind {
inline constexpr int kNone = 255;
inline constexpr int kAction = 259;
inline constexpr int kImage = 260;
inline constexpr int kSound = 261;
inline constexpr int kButton = 263;
inline constexpr int kInstance = 264;
/// An ActionScript 3 script or class.
inline constexpr int kAbc = 265;
/// The vector assets of the "Assets" tab, whose items carry their kind.
inline constexpr int kShape = 266;
inline constexpr int kMorphShape = 267;
inline constexpr int kFont = 268;
inline constexpr int kText = 269;
/// A frame of a timeline; its id is the frame's number among all frames (frameItemId).
inline constexpr int kFrame = 270;
}  // namespace viewkind

struct ObjectTreeItem {
  std::string text;
  /// The object's serial for object items, 0 for timelines and folders.
  std::int32_t data = 0;
  std::vector<ObjectTreeItem> children;
  /// The window kind of an "Assets" item; the object library's kinds come from their
  /// texts (changeViewKind).
  int viewKind = viewkind::kNone;
};

/// The "Object Library" tree: one root (the main timeline) with its folders and the
/// sprite timelines that are shown; a single "No Movie Objects" item without timelines.
std::vector<ObjectTreeItem> objectTree(const ScanResult& result, bool showDetails, bool showEmpty);

/// The kind code "ChangeView" gets for a selected tree item with this text: the
/// ActionScript 3 kind for "Class ..." and "Script ..." items, else by the words it holds.
int changeViewKind(const std::string& itemText);

struct InstanceRow {
  std::string id;
  std::string instanceName;
  std::string frame;
  std::string details;
};

/// The "Object Instances" rows; "0" / "No Items" without timelines.
std::vector<InstanceRow> instanceRows(const ScanResult& result, bool showDetails);

}  // namespace orvane
