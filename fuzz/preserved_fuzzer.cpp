// Scans arbitrary bytes as a movie and writes the preserved form of every image, sound and
// video stream it finds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzScan.h"
#include "fuzz/FuzzScratchFolder.h"
#include "objects/PreservedForms.h"

namespace {

/// Keeps the work of one input small: lossless bitmaps of at most 256 x 256 pixels.
bool isSmallEnough(const orvane::ImageObject& image, const std::vector<std::uint8_t>& movie) {
  if (image.typeName != "DefineBitsLossless" && image.typeName != "DefineBitsLossless2") return true;
  const std::size_t body = image.bodyEnd - image.bodyLength;
  return image.bodyLength >= 7 && movie[body + 4] == 0 && movie[body + 6] == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvane::fuzz::FuzzScan scan;
  if (!scan.scan(data, size, orvane::fuzz::scratchFolder())) return 0;
  const std::vector<std::uint8_t>& movie = scan.walker.movie().bytes();
  const orvane::PreservedForms forms(orvane::PreservationSource::of(scan.walker.movie()));
  const std::string path = orvane::fuzz::scratchFolder() + "/preserved";
  for (const auto& timeline : scan.result.timelines()) {
    // Every object, whether it has a preserved form or not (the recording writer gives every
    // sound a file): each write checks the tag it is given.
    for (const auto& image : timeline->images)
      if (isSmallEnough(*image, movie)) (void)forms.write(*image, path);
    for (const auto& sound : timeline->sounds) (void)forms.write(*sound, path);
    for (const auto& video : timeline->videos) (void)forms.write(*video, path);
  }
  return 0;
}
