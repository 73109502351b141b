#include "vector/Transforms.h"

#include <algorithm>
#include <cmath>

namespace orvane {

Transform Transform::of(const SwfMatrix& matrix) {
  constexpr double kFixed = 65536.0;
  return Transform{matrix.scaleX / kFixed, matrix.rotateSkew0 / kFixed, matrix.rotateSkew1 / kFixed,
                   matrix.scaleY / kFixed, double(matrix.translateX), double(matrix.translateY)};
}

Transform Transform::operator*(const Transform& inner) const {
  return Transform{a * inner.a + c * inner.b,         b * inner.a + d * inner.b,
                   a * inner.c + c * inner.d,         b * inner.c + d * inner.d,
                   a * inner.tx + c * inner.ty + tx,  b * inner.tx + d * inner.ty + ty};
}

double Transform::scale() const { return std::sqrt(std::fabs(a * d - b * c)); }

ColorTransform ColorTransform::of(const SwfColorTransform& transform) {
  ColorTransform result;
  const std::int32_t multiply[4] = {transform.redMult, transform.greenMult, transform.blueMult, transform.alphaMult};
  const std::int32_t add[4] = {transform.redAdd, transform.greenAdd, transform.blueAdd, transform.alphaAdd};
  for (int i = 0; i < 4; ++i) {
    result.multiply[i] = multiply[i] / 256.0;
    result.add[i] = add[i];
  }
  return result;
}

ColorTransform ColorTransform::operator*(const ColorTransform& inner) const {
  ColorTransform result;
  for (int i = 0; i < 4; ++i) {
    result.multiply[i] = multiply[i] * inner.multiply[i];
    result.add[i] = multiply[i] * inner.add[i] + add[i];
  }
  return result;
}

Rgba ColorTransform::apply(Rgba color) const {
  const double channels[4] = {double(color.red), double(color.green), double(color.blue), double(color.alpha)};
  std::uint8_t out[4];
  for (int i = 0; i < 4; ++i) {
    out[i] = static_cast<std::uint8_t>(std::clamp(std::floor(channels[i] * multiply[i] + add[i]), 0.0, 255.0));
  }
  return Rgba{out[0], out[1], out[2], out[3]};
}

bool ColorTransform::isIdentity() const {
  for (int i = 0; i < 4; ++i)
    if (multiply[i] != 1 || add[i] != 0) return false;
  return true;
}

}  // namespace orvane
