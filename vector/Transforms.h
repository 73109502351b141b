// Affine transforms in twips and colour transforms, as placed objects nest them.
#pragma once

#include "movie/SwfRecords.h"

namespace orvane {

/// x' = a x + c y + tx, y' = b x + d y + ty (twips).
struct Transform {
  double a = 1;
  double b = 0;
  double c = 0;
  double d = 1;
  double tx = 0;
  double ty = 0;

  static Transform of(const SwfMatrix& matrix);
  /// This transform applied after `inner`.
  Transform operator*(const Transform& inner) const;
  /// How much it scales lengths on average (the square root of the determinant's size).
  double scale() const;
};

/// c' = c * multiply + add per channel (red, green, blue, alpha; 0..255), clamped when applied.
struct ColorTransform {
  double multiply[4] = {1, 1, 1, 1};
  double add[4] = {0, 0, 0, 0};

  static ColorTransform of(const SwfColorTransform& transform);
  /// This transform applied after `inner`.
  ColorTransform operator*(const ColorTransform& inner) const;
  Rgba apply(Rgba color) const;
  bool isIdentity() const;
};

}  // namespace orvane
