#include "objects/SoundDescription.h"

#include <array>
#include <cstdio>
#include <vector>

#include "platform/DefaultApplication.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

constexpr std::array<const char*, 4> kVersionLabels = {"MPEG Version 2.5", "reserved", "MPEG Version 2",
                                                       "MPEG Version 1"};
constexpr std::array<const char*, 4> kChannelLabels = {"Stereo", "Joint stereo ", "Dual channel", "Mono"};
// Kbit/s for bitrate indexes 1 to 14.
constexpr std::array<int, 14> kVersion1Rates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 14> kOtherRates = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

constexpr std::uint32_t kWaveFormatOffset = 20;

bool endsWith(const std::string& text, const char* tail) {
  const std::string suffix(tail);
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::uint32_t littleEndian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

/// Reads `count` bytes at `offset` and the file's length; false when the file cannot be
/// opened or is too short.
bool readHead(const std::string& path, long offset, unsigned char* bytes, std::size_t count, std::uint64_t& length) {
  FileHandle file = openFile(path, "rb");
  if (!file) return false;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long end = std::ftell(file.get());
  if (end < 0) return false;
  length = static_cast<std::uint64_t>(end);
  return std::fseek(file.get(), offset, SEEK_SET) == 0 && std::fread(bytes, 1, count, file.get()) == count;
}

}  // namespace

void describeMp3(const unsigned char (&head)[4], std::uint64_t fileLength, SoundDescription& description) {
  description.format = std::string("MP3 ") + kVersionLabels[(head[1] >> 3) & 3];
  const unsigned index = head[2] >> 4;
  if (index >= 1 && index <= 14) {
    const auto& rates = description.format == "MP3 MPEG Version 1" ? kVersion1Rates : kOtherRates;
    description.rate = std::to_string(rates[index - 1]);
  }
  description.rate += " Kbits";
  description.type = kChannelLabels[head[3] >> 6];
  description.size = std::to_string(fileLength) + " bytes";
}

bool describeWave(const unsigned char (&format)[16], std::uint64_t fileLength, SoundDescription& description) {
  if (littleEndian(format, 2) != 1) {
    for (std::string* text : {&description.size, &description.type, &description.format, &description.length,
                              &description.rate, &description.error})
      *text = SoundDescription::kInvalidFormat;
    return false;
  }
  const std::uint32_t channels = littleEndian(format + 2, 2);
  const std::uint32_t samplesPerSecond = littleEndian(format + 4, 4);
  const std::uint32_t averageBytesPerSecond = littleEndian(format + 8, 4);
  description.type = channels == 1 ? "Mono" : "Stereo";
  description.rate = std::to_string(samplesPerSecond) + " Samples per sec";
  description.format = "PCM";
  description.size = std::to_string(fileLength) + " bytes";
  // A header that claims no bytes per second has no length to divide by; it plays for no time.
  const std::uint64_t seconds = averageBytesPerSecond == 0 ? 0 : fileLength / averageBytesPerSecond;
  description.length = std::to_string(seconds) + " sec";
  return true;
}

bool SoundDescription::load(const std::string& path) {
  // Neither description can open a missing file, so nothing more is described.
  if (path.empty() || !openFile(path, "rb")) {
    error = kMissingFile;
    return false;
  }
  std::uint64_t fileLength = 0;
  if (endsWith(path, ".mp3")) {
    unsigned char head[4];
    if (!readHead(path, 0, head, sizeof head, fileLength)) return false;
    describeMp3(head, fileLength, *this);
    return true;
  }
  if (endsWith(path, ".wav")) {
    unsigned char format[16] = {};
    // A file too short for its format fields cannot be PCM; it is shown as an invalid format.
    if (!readHead(path, kWaveFormatOffset, format, sizeof format, fileLength)) format[0] = 0;
    return describeWave(format, fileLength, *this);
  }
  return false;
}

std::string SoundDescription::lines() const {
  return "Size (bytes)\t" + size + "\nType\t" + type + "\nFormat\t" + format + "\nLength\t" + length + "\nRate\t" +
         rate + "\n";
}

PlayRoute playSound(const std::string& path, MessageSink& sink, ProgramLauncher& launcher) {
  if (path.size() < 2) return PlayRoute::None;
  if (!endsWith(path, ".mp3")) return PlayRoute::WavePlayer;
  sink.show({"", "This is an MP3 file and an extrenal play must be used.", MessageIcon::Information});
  (void)openInExternalPlayer(path, launcher, applicationFolders());
  return PlayRoute::ExternalPlayer;
}

bool openInExternalPlayer(const std::string& path, ProgramLauncher& launcher,
                          const std::vector<std::string>& folders) {
  if (openWithDefaultProgram(path, launcher)) return true;
  std::vector<std::string> command = defaultApplicationCommand("audio/mpeg", launcher, folders);
  if (command.empty()) return false;
  command.push_back(path);
  return launcher.start(command);
}

}  // namespace orvane
