// The preserved form of an object: the file that keeps what its temporary object file
// loses. Lossless bitmaps as exact PNG, JPEG3/JPEG4 pictures with their alpha as PNG,
// PNG and GIF data inside JPEG2/3/4 tags as it is, video streams and the sounds of formats
// without an object file as FLV. Every object has at most one such file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "movie/MovieObject.h"

namespace orvane {

class SwfMovie;

/// The movie image a scan walked; the preserved forms are made from its tags again.
struct PreservationSource {
  std::span<const std::uint8_t> movie;
  std::uint16_t fixedFrameRate = 0;  // 8.8

  static PreservationSource of(const SwfMovie& movie);
};

class PreservedForms {
 public:
  explicit PreservedForms(const PreservationSource& source) : m_source(source) {}

  /// The preserved file's name in an extraction folder ("swfextract<id>" with ".png",
  /// ".gif" or ".flv"; "swfSextract<id>.flv" for a streaming sound), or an empty text
  /// when the object has no preserved form (a plain JPEG, a sound with an object file, a
  /// stream without blocks or frames).
  std::string name(const ImageObject& image) const;
  std::string name(const SoundObject& sound) const;
  std::string name(const VideoObject& video) const;

  /// Writes the preserved form to `path`; false (and no file) when it cannot be made.
  [[nodiscard]] bool write(const ImageObject& image, const std::string& path) const;
  [[nodiscard]] bool write(const SoundObject& sound, const std::string& path) const;
  [[nodiscard]] bool write(const VideoObject& video, const std::string& path) const;

 private:
  std::span<const std::uint8_t> bodyOf(const MovieObject& object) const;

  PreservationSource m_source;
};

}  // namespace orvane
