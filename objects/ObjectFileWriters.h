// The object file writers that the tag walk calls: JPEG files of image tags, WAV and MP3
// files of event and streaming sounds.
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

}  // namespace orvane
