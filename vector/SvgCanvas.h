// The SVG document a shape or a frame is written into: definitions, drawing and notes, and
// the exact number forms of its coordinates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "movie/SwfRecords.h"
#include "vector/Transforms.h"

namespace orvane {

/// Twips as pixels (twips / 20), exact: at most two decimals, no trailing zeros.
void appendPixels(std::string& out, std::int64_t twips);
/// The shortest decimal that reads back as `value`.
void appendNumber(std::string& out, double value);
/// "#rrggbb".
void appendHexColor(std::string& out, Rgba color);
/// ` NAME="opacity"`; nothing when it is opaque.
void appendOpacity(std::string& out, const char* name, double opacity);
/// ` transform="matrix(a b c d tx ty)"` for a transform in twips over coordinates in pixels;
/// nothing for the identity.
void appendTransformAttribute(std::string& out, const char* name, const Transform& transform);

class SvgCanvas {
 public:
  /// Ids unique within the document: the prefix and a number.
  std::string newId(const char* prefix);
  /// Defines a mask that shows what `shapes` (elements without a fill of their own) cover
  /// within `region` (twips, in the user space of the element it masks); its id. A mask,
  /// unlike a clip path, is drawn with the document's anti-aliasing setting.
  std::string addMask(const SwfRect& region, const std::string& shapes);

  /// The whole document over `area` (twips), `scale` device pixels per pixel, with a
  /// background rectangle when `background` is given; shapes without anti-aliasing unless
  /// `antialias`.
  std::string document(const SwfRect& area, double scale, const Rgba* background, bool antialias) const;

  std::string defs;
  std::string body;
  /// Curves are written as the lines the player draws them with at low quality.
  bool curvesAsLines = false;
  /// Device pixels per pixel of the document, as it will be drawn.
  double deviceScale = 1;
  /// Gradients as bands of their colour table's entries with hard edges, as the player
  /// draws them at high quality; else the entries blended between their centres.
  bool gradientBands = false;
  /// How far (pixels of the document, right and down) gradients move so that each pixel
  /// shows the colour the player takes at its top left corner; 0 for none. Linear
  /// gradients move by a quarter or seven quarters of it on each axis instead, as their
  /// ratio grows or falls along it.
  double gradientSampleShift = 0;
  /// What could not be drawn as the movie asks, one sentence each.
  std::vector<std::string> notes;

 private:
  std::uint32_t m_nextId = 0;
};

}  // namespace orvane
