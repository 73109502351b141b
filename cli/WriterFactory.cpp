#include "cli/WriterFactory.h"

namespace orvane {

namespace {

// Collects objects without writing files until the object file writers are linked in.
class ScanOnlyWriter : public ObjectFileWriter {
 public:
  ScanStatus ExtractJpegTables(std::span<const std::uint8_t> body, std::vector<std::uint8_t>& tables) override {
    tables.assign(body.begin(), body.end());
    return ScanStatus::Success;
  }
  ImageOutcome ExtractDefineBits(const ImageTag&, std::span<const std::uint8_t>) override { return kCollected; }
  ImageOutcome ExtractJpeg2(const ImageTag&) override { return kCollected; }
  ImageOutcome ExtractJpeg3(const ImageTag&) override { return kCollected; }
  ImageOutcome ExtractLossless(const ImageTag&, int, std::string&) override { return kCollected; }
  void ExtractDefineSound(SoundObject&, std::span<const std::uint8_t>, const std::string&, std::uint32_t) override {}
  ScanStatus BeginStreamSound(SoundObject&, const std::string&) override { return ScanStatus::Success; }
  ScanStatus AppendStreamBlock(SoundObject&, std::span<const std::uint8_t>) override { return ScanStatus::Success; }
  ScanStatus CompleteStreamSound(SoundObject&) override { return ScanStatus::Success; }

 private:
  static constexpr ImageOutcome kCollected{ScanStatus::Success, true, false};
};

}  // namespace

std::unique_ptr<ObjectFileWriter> makeObjectFileWriter() { return std::make_unique<ScanOnlyWriter>(); }

}  // namespace orvane
