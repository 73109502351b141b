// Writing the loaded movie back to disk: Save As, and Edit Movie Properties (a new header
// with width, height and frame rate in front of the unchanged tags).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

class MessageSink;
class ScanResult;

struct MovieProperties {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t frameRate = 0;
};

enum class PropertyField { Width, Height, FrameRate };

struct PropertyProblem {
  PropertyField field = PropertyField::Width;
  std::string message;  // "Please enter an integer." or the text with the field's limits
};

/// Validates the dialog's three field texts in field order: integers, width and height
/// 1..3270, frame rate 1..100. The first field that fails is returned with its message.
std::optional<PropertyProblem> validateMovieProperties(const std::string& width, const std::string& height,
                                                       const std::string& frameRate, MovieProperties& properties);

/// What Save As shows when it is done, and when it fails.
inline constexpr const char* kSaveAsSucceeded = "Save As Action was Successful";
inline constexpr const char* kSaveFailed = "Error, Save could not be completed, disk may be ful or write protected";

inline constexpr std::uint32_t kRewrittenHeaderLength = 23;

/// The 23-byte header of the rewritten movie: the scan's version, length and frame count,
/// a RECT from (0, 0) to the new size in twips with 20-bit fields, the new integer rate.
std::array<std::uint8_t, kRewrittenHeaderLength> rewrittenHeader(const ScanResult& scan,
                                                                 const MovieProperties& properties);

/// Rewrites the movie file at `path` with the new header through the temporary file
/// path + "t", which replaces the movie only once it is complete. The movie on disk must
/// still match the scan. False (message shown) when the movie was left as it was.
[[nodiscard]] bool editMovieProperties(const std::string& path, const ScanResult& scan,
                                       const MovieProperties& properties, MessageSink& sink);

/// Copies the movie file to `name` (extension rule applied when the name is longer than
/// one character), replacing an existing file, and shows the outcome. The written path,
/// or none on failure. Saving onto the movie itself leaves it as it is.
std::optional<std::string> saveMovieAs(const std::string& currentPath, const std::string& name, MessageSink& sink);

}  // namespace orvane
