// Scans arbitrary bytes as a movie and writes the preserved form of every image, sound and
// video stream it finds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzScratchFolder.h"
#include "movie/ScanResult.h"
#include "movie/TagWalker.h"
#include "objects/PreservedForms.h"
#include "platform/MessageSink.h"
#include "tests/support/RecordingWriter.h"

namespace {

/// Keeps the work of one input small: lossless bitmaps of at most 256 x 256 pixels.
bool isSmallEnough(const orvane::ImageObject& image, const std::vector<std::uint8_t>& movie) {
  if (image.typeName != "DefineBitsLossless" && image.typeName != "DefineBitsLossless2") return true;
  const std::size_t body = image.bodyEnd - image.bodyLength;
  return image.bodyLength >= 7 && movie[body + 4] == 0 && movie[body + 6] == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  // Give every input a length field that matches, so that the walk is reached.
  if (bytes.size() >= 8) {
    const auto length = static_cast<std::uint32_t>(bytes.size());
    bytes[0] = 'F', bytes[1] = 'W', bytes[2] = 'S';
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  }
  orvane::test::RecordingWriter writer;
  orvane::RecordingMessageSink sink;
  orvane::ScanResult result;
  orvane::TagWalker walker(writer, sink);
  walker.setResult(&result);
  walker.setTempFolder(orvane::fuzz::scratchFolder());
  if (walker.openBytes(std::move(bytes), "fuzz.swf") != orvane::ScanStatus::Success) return 0;
  walker.copyHeaderInto(result);
  (void)walker.scan(0xFFF);
  const orvane::PreservedForms forms(orvane::PreservationSource::of(walker.movie()));
  const std::string path = orvane::fuzz::scratchFolder() + "/preserved";
  for (const auto& timeline : result.timelines()) {
    for (const auto& image : timeline->images)
      if (!forms.name(*image).empty() && isSmallEnough(*image, walker.movie().bytes())) (void)forms.write(*image, path);
    for (const auto& sound : timeline->sounds)
      if (!forms.name(*sound).empty()) (void)forms.write(*sound, path);
    for (const auto& video : timeline->videos)
      if (!forms.name(*video).empty()) (void)forms.write(*video, path);
  }
  return 0;
}
