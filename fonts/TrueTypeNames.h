// The `name` table of a TrueType font.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

/// The names a font file carries, as UTF-8.
struct TrueTypeNames {
  std::string copyright;
  std::string family;
  std::string subfamily;  // "Regular", "Bold", "Italic" or "Bold Italic"
  std::string fullName;
  std::string postScriptName;
  std::string version;
};

/// The names for a font called `family` (a name of its own when empty: "Font " and the id).
TrueTypeNames namesOfFont(const std::string& family, const std::string& copyright, bool bold, bool italic,
                          std::uint16_t id);

/// `name` format 0, every name in the Windows Unicode encoding (UTF-16, US English).
std::vector<std::uint8_t> nameTable(const TrueTypeNames& names);

}  // namespace orvane
