// What the tag walker asks of the object file writers: turning image and sound tags into
// temporary object files. Declared here so that the walk does not depend on the writers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "movie/MovieObject.h"
#include "movie/ScanStatus.h"
#include "movie/TagHeader.h"

namespace orvane {

/// One image tag handed to a writer.
struct ImageTag {
  TagHeader header;
  /// Exactly the tag body, from its character id on.
  std::span<const std::uint8_t> body;
  std::uint16_t characterId = 0;
  /// The temporary object file to write ("<temp folder>/swfextract<id>.jpg").
  std::string path;
};

/// What became of an image tag.
struct ImageOutcome {
  ScanStatus status = ScanStatus::Success;
  /// An object is collected for the image.
  bool collect = false;
  /// The file holds a picture that can be shown.
  bool viewable = false;
};

/// The walker reads tag headers, character ids and sound fields and collects the objects;
/// the writer does the file work. Every span is bounded by its tag body.
class ObjectFileWriter {
 public:
  virtual ~ObjectFileWriter() = default;

  /// Keeps the table block of a JPEGTables body in `tables`; 106, or 108.
  [[nodiscard]] virtual ScanStatus ExtractJpegTables(std::span<const std::uint8_t> body,
                                                     std::vector<std::uint8_t>& tables) = 0;
  /// Writes a DefineBits picture with the table block merged in; only called with tables.
  [[nodiscard]] virtual ImageOutcome ExtractDefineBits(const ImageTag& tag,
                                                       std::span<const std::uint8_t> tables) = 0;
  [[nodiscard]] virtual ImageOutcome ExtractJpeg2(const ImageTag& tag) = 0;
  [[nodiscard]] virtual ImageOutcome ExtractJpeg3(const ImageTag& tag) = 0;
  /// DefineBitsJPEG4: written like DefineBitsJPEG3; its deblocking field is stepped over.
  [[nodiscard]] virtual ImageOutcome ExtractJpeg4(const ImageTag& tag) = 0;
  /// DefineBitsLossless (3 bytes per colour-table entry) or DefineBitsLossless2 (4).
  /// On status 103 the zlib message has been appended to `errorText`.
  [[nodiscard]] virtual ImageOutcome ExtractLossless(const ImageTag& tag, int bytesPerEntry,
                                                     std::string& errorText) = 0;
  /// `sound` is collected with its fields read; `data` is the tag body after them.
  /// Writes "<pathStem>.wav" or ".mp3" when `flags` select the format, and records the
  /// path and has-file flag on success. Failures are not reported.
  virtual void ExtractDefineSound(SoundObject& sound, std::span<const std::uint8_t> data,
                                  const std::string& pathStem, std::uint32_t flags) = 0;
  /// Creates the file of a new stream (its fields read) under the first free name
  /// "<temp folder>/swfSextract<n>" + extension; 106, or 109.
  [[nodiscard]] virtual ScanStatus BeginStreamSound(SoundObject& stream, const std::string& tempFolder) = 0;
  /// Appends one SoundStreamBlock body; 106, 108 or 109.
  [[nodiscard]] virtual ScanStatus AppendStreamBlock(SoundObject& stream,
                                                     std::span<const std::uint8_t> block) = 0;
  /// Completes a stream's file (its WAV header) when the next stream head arrives or the
  /// scan ends; 106, or 109.
  [[nodiscard]] virtual ScanStatus CompleteStreamSound(SoundObject& stream) = 0;
};

/// "<folder>/swfextract<id>" without extension: images and event sounds share this name space.
std::string objectFileStem(const std::string& folder, std::uint32_t characterId);
/// "<folder>/swfSextract<n>" + extension.
std::string streamFileName(const std::string& folder, std::uint32_t number, const std::string& extension);

}  // namespace orvane
