// The sound window's description of an arbitrary MP3 or WAV file, from memory and from disk.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/FuzzScratchFolder.h"
#include "objects/SoundDescription.h"

using orvane::fuzz::scratchFolder;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvane::SoundDescription fromMemory;
  unsigned char head[4] = {};
  unsigned char format[16] = {};
  std::memcpy(head, data, size < sizeof head ? size : sizeof head);
  std::memcpy(format, data, size < sizeof format ? size : sizeof format);
  orvane::describeMp3(head, size, fromMemory);
  (void)orvane::describeWave(format, size, fromMemory);
  (void)fromMemory.lines();

  // The first byte picks the extension; the rest is the file, at most 4 KiB of it.
  if (size == 0) return 0;
  const std::string path = scratchFolder() + ((data[0] & 1) != 0 ? "/sound.wav" : "/sound.mp3");
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data + 1, 1, size - 1 < 4096 ? size - 1 : 4096, file);
    std::fclose(file);
  }
  orvane::SoundDescription fromFile;
  (void)fromFile.load(path);
  (void)fromFile.lines();
  return 0;
}
