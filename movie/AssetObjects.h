// The vector assets a scan records (shapes, morph shapes, fonts, texts) and the tags of a
// timeline's display list. The walk keeps where their bodies lie; the geometry and the font
// readers decode them from the movie's bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "movie/MovieObject.h"

namespace orvane {

class ScanResult;

/// A character definition that frames are built from. Character id: the defined id.
class AssetObject : public MovieObject {
 public:
  /// The tag code the definition came in.
  std::uint16_t code = 0;
  /// The whole tag body, character id included.
  TagBody body;

  /// The body within the movie's bytes, clipped to them.
  std::span<const std::uint8_t> bodyIn(std::span<const std::uint8_t> movie) const;

 protected:
  /// "KIND (ID %d) " and, with details, the frame and what a frame action adds.
  std::string assetText(const char* kind, bool details) const;
};

/// DefineShape, DefineShape2, DefineShape3 or DefineShape4.
class ShapeObject : public AssetObject {
 public:
  /// "Shape (ID %d) " and the details.
  std::string describe(bool details) const override;
};

/// DefineMorphShape or DefineMorphShape2.
class MorphShapeObject : public AssetObject {
 public:
  /// "Morph Shape (ID %d) " and the details.
  std::string describe(bool details) const override;
};

/// A tag that describes a font defined before it: DefineFontInfo, DefineFontInfo2,
/// DefineFontAlignZones or DefineFontName.
struct FontPart {
  std::uint16_t code = 0;
  TagBody body;
};

/// DefineFont, DefineFont2, DefineFont3 or DefineFont4, with the tags that describe it.
class FontObject : public AssetObject {
 public:
  /// "Font (ID %d) " and the details.
  std::string describe(bool details) const override;

  /// In tag order.
  std::vector<FontPart> parts;
};

/// DefineText, DefineText2 or DefineEditText.
class TextObject : public AssetObject {
 public:
  /// "Text (ID %d) " or "Edit Text (ID %d) " and the details.
  std::string describe(bool details) const override;
};

/// A tag that changes a timeline's display list: PlaceObject, PlaceObject2, PlaceObject3,
/// RemoveObject, RemoveObject2, or ShowFrame, which ends a frame.
struct DisplayTag {
  std::uint16_t code = 0;
  TagBody body;
};

/// Gives every asset object of the result a serial, after all the others: timelines in
/// order, in each shapes, morph shapes, fonts, then texts. Call once after the scan and
/// the listing of ActionScript 3 objects, so that no serial of theirs moves.
void numberAssetObjects(ScanResult& result);

}  // namespace orvane
