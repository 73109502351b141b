// The object file writers that the tag walk calls: JPEG files of image tags, WAV and MP3
// files of event and streaming sounds; and a dry run of them that writes nothing.
#pragma once

#include "movie/ObjectFileWriter.h"
#include "objects/RgbJpegEncoder.h"

namespace orvane {

class ObjectFileWriters final : public ObjectFileWriter {
 public:
  [[nodiscard]] ScanStatus ExtractJpegTables(std::span<const std::uint8_t> body,
                                             std::vector<std::uint8_t>& tables) override;
  [[nodiscard]] ImageOutcome ExtractDefineBits(const ImageTag& tag, std::span<const std::uint8_t> tables) override;
  [[nodiscard]] ImageOutcome ExtractJpeg2(const ImageTag& tag) override;
  [[nodiscard]] ImageOutcome ExtractJpeg3(const ImageTag& tag) override;
  [[nodiscard]] ImageOutcome ExtractJpeg4(const ImageTag& tag) override;
  [[nodiscard]] ImageOutcome ExtractLossless(const ImageTag& tag, int bytesPerEntry, std::string& errorText) override;
  void ExtractDefineSound(SoundObject& sound, std::span<const std::uint8_t> data, const std::string& pathStem,
                          std::uint32_t flags) override;
  [[nodiscard]] ScanStatus BeginStreamSound(SoundObject& stream, const std::string& tempFolder) override;
  [[nodiscard]] ScanStatus AppendStreamBlock(SoundObject& stream, std::span<const std::uint8_t> block) override;
  [[nodiscard]] ScanStatus CompleteStreamSound(SoundObject& stream) override;

 private:
  RgbJpegEncoder m_encoder;
};

/// Writes no file but answers the walk as ObjectFileWriters does, so that a scan collects
/// the same objects under the same serials: an image whose data leaves nothing to write, or
/// a lossless bitmap that cannot be inflated, is not collected. For scans that only read a
/// movie's objects (the archive index); the objects' temporary file paths name no file.
class DryRunWriters final : public ObjectFileWriter {
 public:
  [[nodiscard]] ScanStatus ExtractJpegTables(std::span<const std::uint8_t> body,
                                             std::vector<std::uint8_t>& tables) override;
  [[nodiscard]] ImageOutcome ExtractDefineBits(const ImageTag& tag, std::span<const std::uint8_t> tables) override;
  [[nodiscard]] ImageOutcome ExtractJpeg2(const ImageTag& tag) override;
  [[nodiscard]] ImageOutcome ExtractJpeg3(const ImageTag& tag) override;
  [[nodiscard]] ImageOutcome ExtractJpeg4(const ImageTag& tag) override;
  [[nodiscard]] ImageOutcome ExtractLossless(const ImageTag& tag, int bytesPerEntry, std::string& errorText) override;
  void ExtractDefineSound(SoundObject& sound, std::span<const std::uint8_t> data, const std::string& pathStem,
                          std::uint32_t flags) override;
  [[nodiscard]] ScanStatus BeginStreamSound(SoundObject& stream, const std::string& tempFolder) override;
  [[nodiscard]] ScanStatus AppendStreamBlock(SoundObject& stream, std::span<const std::uint8_t> block) override;
  [[nodiscard]] ScanStatus CompleteStreamSound(SoundObject& stream) override;
};

}  // namespace orvane
