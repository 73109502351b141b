// The lossless, JPEG2/JPEG3/JPEG4 writers and the ADPCM decoder over arbitrary tag bodies.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "fuzz/FuzzScratchFolder.h"
#include "objects/AdpcmDecoder.h"
#include "objects/ObjectFileWriters.h"

using orvane::fuzz::scratchFolder;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::span<const std::uint8_t> body(data + 1, size - 1);
  static orvane::ObjectFileWriters writers;
  orvane::ImageTag tag;
  tag.header.length = static_cast<std::uint32_t>(body.size());
  tag.header.bodyOffset = 6;
  tag.body = body;
  tag.path = scratchFolder() + "/swfextract1.jpg";
  std::string errorText;
  switch (data[0] % 7) {
    case 0:
    case 1:
      // Keep the work of one input small: at most a 256 x 256 bitmap.
      if (body.size() >= 7 && (body[4] != 0 || body[6] != 0)) return 0;
      (void)writers.ExtractLossless(tag, data[0] % 2 == 0 ? 3 : 4, errorText);
      break;
    case 2:
      (void)writers.ExtractJpeg2(tag);
      break;
    case 3:
      (void)writers.ExtractJpeg3(tag);
      break;
    case 6:
      (void)writers.ExtractJpeg4(tag);
      break;
    default: {
      orvane::AdpcmDecoder decoder(body, data[0] % 7 == 4 ? 1 : 2);
      std::vector<std::int16_t> samples(4096 * decoder.channels());
      while (decoder.decode(samples) != 0) {
      }
      break;
    }
  }
  return 0;
}
