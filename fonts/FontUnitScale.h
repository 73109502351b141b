// How a movie font's units become the units of a TrueType font.
#pragma once

#include <cstdint>

namespace orvane {

/// The values a font will write (coordinates, advances, metrics, kerning), gathered so the
/// units can be chosen before anything is written.
class FontUnitSurvey {
 public:
  void add(std::int64_t value);

  std::int64_t divisor() const { return m_divisor; }
  std::int64_t largest() const { return m_largest; }

 private:
  std::int64_t m_divisor = 0;  // the greatest common divisor of the values seen
  std::int64_t m_largest = 0;  // the largest magnitude
};

/// A rational scale from the font's em units to TrueType units. TrueType allows at most
/// 16384 units an em and 16-bit coordinates: a font of up to 16384 units keeps its units;
/// a finer one (DefineFont3's 20480) is divided by the largest factor that all its values
/// share and that leaves at least 1024 units, so that no value is rounded (a font made
/// from a 2048-unit font gets its 2048 units back); only where no such factor brings the
/// em within 16384, or for a value beyond 16 bits, are the values scaled and rounded to
/// the nearest unit.
class FontUnitScale {
 public:
  static FontUnitScale choose(std::uint32_t emUnits, const FontUnitSurvey& survey);

  std::uint16_t unitsPerEm() const { return m_unitsPerEm; }
  /// True when every surveyed value converts without rounding.
  bool exact() const { return m_exact; }
  /// `value` in TrueType units, rounded to the nearest (halves away from zero), clamped to
  /// 16 bits.
  std::int16_t apply(std::int64_t value) const;

 private:
  std::int64_t m_numerator = 1;
  std::int64_t m_denominator = 1;
  std::uint16_t m_unitsPerEm = 1024;
  bool m_exact = true;
};

}  // namespace orvane
