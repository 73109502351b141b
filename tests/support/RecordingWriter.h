// An object file writer for tests and fuzzing: records every call, writes no file.
#pragma once

#include <string>
#include <vector>

#include "movie/ObjectFileWriter.h"

namespace orvane::test {

class RecordingWriter : public ObjectFileWriter {
 public:
  struct Call {
    std::string operation;
    std::uint32_t characterId = 0;
    std::vector<std::uint8_t> data;
  };

  ScanStatus ExtractJpegTables(std::span<const std::uint8_t> body, std::vector<std::uint8_t>& tables) override {
    record("ExtractJpegTables", 0xFFFF, body);
    tables.assign(body.begin(), body.end());
    return ScanStatus::Success;
  }
  ImageOutcome ExtractDefineBits(const ImageTag& tag, std::span<const std::uint8_t>) override {
    return image("ExtractDefineBits", tag);
  }
  ImageOutcome ExtractJpeg2(const ImageTag& tag) override { return image("ExtractJpeg2", tag); }
  ImageOutcome ExtractJpeg3(const ImageTag& tag) override { return image("ExtractJpeg3", tag); }
  ImageOutcome ExtractJpeg4(const ImageTag& tag) override { return image("ExtractJpeg4", tag); }
  ImageOutcome ExtractLossless(const ImageTag& tag, int, std::string& errorText) override {
    const ImageOutcome outcome = image("ExtractLossless", tag);
    if (outcome.status == ScanStatus::InflateError) errorText += "Zlib data error : test\n-3";
    return outcome;
  }
  void ExtractDefineSound(SoundObject& sound, std::span<const std::uint8_t> data, const std::string& pathStem,
                          std::uint32_t) override {
    record("ExtractDefineSound", sound.characterId, data);
    sound.tempFilePath = pathStem + ".wav";
    sound.hasFile = true;
  }
  ScanStatus BeginStreamSound(SoundObject& stream, const std::string& tempFolder) override {
    record("BeginStreamSound", stream.characterId, {});
    stream.tempFilePath = tempFolder + "/stream";
    stream.hasFile = true;
    return beginStatus;
  }
  ScanStatus AppendStreamBlock(SoundObject& stream, std::span<const std::uint8_t> block) override {
    record("AppendStreamBlock", stream.characterId, block);
    return ScanStatus::Success;
  }
  ScanStatus CompleteStreamSound(SoundObject& stream) override {
    record("CompleteStreamSound", stream.characterId, {});
    return ScanStatus::Success;
  }

  std::vector<Call> calls;
  /// What every image writer answers.
  ImageOutcome imageOutcome{ScanStatus::Success, true, true};
  ScanStatus beginStatus = ScanStatus::Success;

 private:
  void record(const char* operation, std::uint32_t id, std::span<const std::uint8_t> data) {
    calls.push_back({operation, id, {data.begin(), data.end()}});
  }
  ImageOutcome image(const char* operation, const ImageTag& tag) {
    record(operation, tag.characterId, tag.body);
    return imageOutcome;
  }
};

}  // namespace orvane::test
