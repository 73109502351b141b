#include "objects/ObjectFileWriters.h"

#include <algorithm>
#include <new>

#include "movie/ScanOptions.h"
#include "objects/JpegStreamWriter.h"
#include "objects/LosslessBitmap.h"
#include "objects/SoundFileWriters.h"
#include "objects/StreamSoundWriter.h"

namespace orvane {
namespace {

constexpr std::size_t kCharacterIdSize = 2;
constexpr std::size_t kDeblockingSize = 2;

std::span<const std::uint8_t> after(std::span<const std::uint8_t> body, std::size_t count) {
  return body.subspan(std::min(count, body.size()));
}

/// What a JPEG2, JPEG3 or JPEG4 file would hold: collected when anything is left to write.
ImageOutcome dryJpeg(std::span<const std::uint8_t> jpegData) {
  const bool collect = !splitOwnTables(jpegData).image.empty();
  return ImageOutcome{ScanStatus::Success, collect, false};
}

}  // namespace

ScanStatus ObjectFileWriters::ExtractJpegTables(std::span<const std::uint8_t> body,
                                                std::vector<std::uint8_t>& tables) {
  const std::span<const std::uint8_t> block = jpegTableBlock(body);
  try {
    tables.assign(block.begin(), block.end());
  } catch (const std::bad_alloc&) {
    tables.clear();
    return ScanStatus::MemoryError;
  }
  return ScanStatus::Success;
}

ImageOutcome ObjectFileWriters::ExtractDefineBits(const ImageTag& tag, std::span<const std::uint8_t> tables) {
  return writeDefineBits(tag.path, after(tag.body, kCharacterIdSize), tables);
}

ImageOutcome ObjectFileWriters::ExtractJpeg2(const ImageTag& tag) {
  return writeJpegWithOwnTables(tag.path, after(tag.body, kCharacterIdSize));
}

ImageOutcome ObjectFileWriters::ExtractJpeg3(const ImageTag& tag) {
  return writeJpegWithOwnTables(tag.path, jpegBeforeAlpha(tag.body, 0));
}

ImageOutcome ObjectFileWriters::ExtractJpeg4(const ImageTag& tag) {
  return writeJpegWithOwnTables(tag.path, jpegBeforeAlpha(tag.body, kDeblockingSize));
}

ImageOutcome ObjectFileWriters::ExtractLossless(const ImageTag& tag, int bytesPerEntry, std::string& errorText) {
  LosslessBitmap bitmap;
  const ScanStatus status = bitmap.decode(tag.body, bytesPerEntry, errorText);
  if (status != ScanStatus::Success) return ImageOutcome{status, false, false};
  return ImageOutcome{ScanStatus::Success, true, m_encoder.WriteRgbJpeg(tag.path, bitmap.rows())};
}

void ObjectFileWriters::ExtractDefineSound(SoundObject& sound, std::span<const std::uint8_t> data,
                                           const std::string& pathStem, std::uint32_t flags) {
  // A failed event-sound file is not reported: the sound stays listed without a file.
  switch (sound.format) {
    case 0:
    case 3:
      if ((flags & scanflag::kRawSounds) != 0) (void)WritePcmWav(pathStem + ".wav", sound, data);
      break;
    case 1:
      if ((flags & scanflag::kAdpcmSounds) != 0) (void)WriteAdpcmWav(pathStem + ".wav", sound, data);
      break;
    case 2:
      if ((flags & scanflag::kMp3Sounds) != 0) (void)CopySoundData(pathStem + ".mp3", sound, data);
      break;
    default:
      break;
  }
}

ScanStatus ObjectFileWriters::BeginStreamSound(SoundObject& stream, const std::string& tempFolder) {
  return beginStreamFile(stream, tempFolder);
}

ScanStatus ObjectFileWriters::AppendStreamBlock(SoundObject& stream, std::span<const std::uint8_t> block) {
  return appendStreamBlock(stream, block);
}

ScanStatus ObjectFileWriters::CompleteStreamSound(SoundObject& stream) { return completeStreamFile(stream); }

ScanStatus DryRunWriters::ExtractJpegTables(std::span<const std::uint8_t>, std::vector<std::uint8_t>& tables) {
  tables.clear();
  return ScanStatus::Success;
}

ImageOutcome DryRunWriters::ExtractDefineBits(const ImageTag&, std::span<const std::uint8_t>) {
  return ImageOutcome{ScanStatus::Success, true, false};
}

ImageOutcome DryRunWriters::ExtractJpeg2(const ImageTag& tag) { return dryJpeg(after(tag.body, kCharacterIdSize)); }

ImageOutcome DryRunWriters::ExtractJpeg3(const ImageTag& tag) { return dryJpeg(jpegBeforeAlpha(tag.body, 0)); }

ImageOutcome DryRunWriters::ExtractJpeg4(const ImageTag& tag) {
  return dryJpeg(jpegBeforeAlpha(tag.body, kDeblockingSize));
}

ImageOutcome DryRunWriters::ExtractLossless(const ImageTag& tag, int bytesPerEntry, std::string& errorText) {
  LosslessData data;
  const ScanStatus status = inflateLossless(tag.body, bytesPerEntry, errorText, data);
  return ImageOutcome{status, status == ScanStatus::Success, false};
}

void DryRunWriters::ExtractDefineSound(SoundObject&, std::span<const std::uint8_t>, const std::string&,
                                       std::uint32_t) {}

ScanStatus DryRunWriters::BeginStreamSound(SoundObject&, const std::string&) { return ScanStatus::Success; }

ScanStatus DryRunWriters::AppendStreamBlock(SoundObject&, std::span<const std::uint8_t>) {
  return ScanStatus::Success;
}

ScanStatus DryRunWriters::CompleteStreamSound(SoundObject&) { return ScanStatus::Success; }

}  // namespace orvane
