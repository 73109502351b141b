#include "fonts/FontUnitScale.h"

#include <algorithm>
#include <numeric>

namespace orvane {
namespace {

constexpr std::int64_t kMostUnitsPerEm = 16384;
constexpr std::int64_t kFewestUnitsPerEm = 16;
constexpr std::int64_t kFewestExactUnitsPerEm = 1024;
constexpr std::int64_t kLargestCoordinate = 32767;

}  // namespace

void FontUnitSurvey::add(std::int64_t value) {
  const std::int64_t magnitude = value < 0 ? -value : value;
  m_divisor = std::gcd(m_divisor, magnitude);
  m_largest = std::max(m_largest, magnitude);
}

FontUnitScale FontUnitScale::choose(std::uint32_t emUnits, const FontUnitSurvey& survey) {
  FontUnitScale scale;
  const std::int64_t em = std::max<std::int64_t>(emUnits, 1);
  if (em > kMostUnitsPerEm) {
    // Every divisor d of the shared factor keeps the values whole; take the largest that
    // leaves at least the em of the older font tags.
    const std::int64_t shared = std::gcd(em, survey.divisor());
    std::int64_t divisor = 0;
    for (std::int64_t d = shared; d >= 1 && divisor == 0; --d)
      if (shared % d == 0 && em / d <= kMostUnitsPerEm && em / d >= kFewestExactUnitsPerEm) divisor = d;
    if (divisor != 0) {
      scale.m_denominator = divisor;
    } else {
      scale.m_numerator = kMostUnitsPerEm;
      scale.m_denominator = em;
      scale.m_exact = false;
    }
  }
  if (survey.largest() * scale.m_numerator > kLargestCoordinate * scale.m_denominator) {
    scale.m_numerator = std::max(kFewestUnitsPerEm, kLargestCoordinate * em / survey.largest());
    scale.m_denominator = em;
    scale.m_exact = false;
  }
  const std::int64_t common = std::gcd(scale.m_numerator, scale.m_denominator);
  scale.m_numerator /= common;
  scale.m_denominator /= common;
  scale.m_unitsPerEm = static_cast<std::uint16_t>(em * scale.m_numerator / scale.m_denominator);
  if (!scale.m_exact && survey.divisor() != 0) {
    scale.m_exact = (survey.divisor() * scale.m_numerator) % scale.m_denominator == 0 &&
                    survey.largest() * scale.m_numerator <= kLargestCoordinate * scale.m_denominator;
  }
  return scale;
}

std::int16_t FontUnitScale::apply(std::int64_t value) const {
  const std::int64_t product = value * m_numerator;
  const std::int64_t half = m_denominator / 2;
  std::int64_t result = product >= 0 ? (product + half) / m_denominator : -((-product + half) / m_denominator);
  result = std::clamp<std::int64_t>(result, -kLargestCoordinate - 1, kLargestCoordinate);
  return static_cast<std::int16_t>(result);
}

}  // namespace orvane
