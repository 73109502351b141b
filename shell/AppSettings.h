// The settings that outlive a run: scan flags, panel switches, default translation mode
// and syntax colours, with the small text file that keeps them.
#pragma once

#include <cstdint>
#include <string>

#include "movie/ScanOptions.h"

namespace orvane {

/// A 24-bit colour as 0xRRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return (red << 16) | (green << 8) | blue;
}

struct SyntaxColours {
  Rgb conditionalKeywords = rgb(0, 0, 255);
  Rgb keywords = rgb(220, 10, 10);
  Rgb errors = rgb(255, 0, 0);
  Rgb strings = rgb(0, 0, 240);
  Rgb comments = rgb(240, 0, 250);

  bool operator==(const SyntaxColours&) const = default;
};

/// The name of the settings file inside the configuration folder.
inline constexpr const char* kSettingsFileName = "sys2-6lumo.ini";

struct AppSettings {
  ScanOptions options;
  /// Not stored in the file: every run starts with the defaults.
  SyntaxColours colours;

  /// Reads "FLAG", "ADVOPS" and "ASMODE" with their numbers; other words are skipped and a
  /// number that cannot be read leaves its field as it was. False when the file cannot be
  /// opened (the values stay as they are).
  [[nodiscard]] bool LoadSettings(const std::string& path);
  /// Writes the eight-line file through a temporary file in the same folder that replaces
  /// the old one only when complete. False when it cannot be written.
  [[nodiscard]] bool SaveSettings(const std::string& path) const;

  /// The file's text exactly as SaveSettings writes it.
  std::string fileText() const;
};

}  // namespace orvane
