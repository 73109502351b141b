// The result codes of opening and scanning a movie, with the texts the user is shown.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

enum class ScanStatus : std::uint32_t {
  InflateError = 103,
  WriterWarning = 104,
  FormatNotSupported = 105,
  Success = 106,
  InvalidFileFormat = 107,
  MemoryError = 108,
  OpenError = 109,
  WriteError = 110,
  ReadError = 111,
  UnsupportedVariant = 112,
  GeneralError = 113,
};

inline std::uint32_t statusCode(ScanStatus status) { return static_cast<std::uint32_t>(status); }

/// The title of the box shown for a status that ends a scan ("No Error" for success).
std::string statusTitle(ScanStatus status);
/// The text of that box; status 113 shows the tag walker's error text.
std::string statusText(ScanStatus status, const std::string& errorText);

}  // namespace orvane
