#include "objects/ObjectFileWriters.h"

#include <algorithm>
#include <new>

#include "movie/BitReader.h"
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

/// DefineBitsJPEG3 and JPEG4: the JPEG data after the character id, the AlphaDataOffset
/// and `fieldsBetween` more bytes, as long as AlphaDataOffset says; the alpha data behind
/// it is not used.
ImageOutcome writeJpegBeforeAlpha(const ImageTag& tag, std::size_t fieldsBetween) {
  BitReader reader(tag.body);
  reader.readU16();
  const std::uint32_t alphaDataOffset = reader.readU32();
  reader.skip(static_cast<std::uint32_t>(fieldsBetween));
  const std::span<const std::uint8_t> rest = reader.bytesAt(reader.position());
  return writeJpegWithOwnTables(tag.path, rest.first(std::min<std::size_t>(alphaDataOffset, rest.size())));
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

ImageOutcome ObjectFileWriters::ExtractJpeg3(const ImageTag& tag) { return writeJpegBeforeAlpha(tag, 0); }

ImageOutcome ObjectFileWriters::ExtractJpeg4(const ImageTag& tag) {
  return writeJpegBeforeAlpha(tag, kDeblockingSize);
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

}  // namespace orvane
