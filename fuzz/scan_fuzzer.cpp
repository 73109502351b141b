// Opens and scans arbitrary bytes as a movie, with a writer that records instead of writing.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "movie/MovieSource.h"
#include "movie/ScanResult.h"
#include "movie/TagWalker.h"
#include "platform/MessageSink.h"
#include "tests/support/RecordingWriter.h"

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
  walker.setTempFolder("/nonexistent-orvane-temp");
  orvane::MovieSource source;
  if (source.decode(bytes) == orvane::ScanStatus::Success &&
      walker.openBytes(source.takeImage(), "fuzz.swf") == orvane::ScanStatus::Success) {
    walker.copyHeaderInto(result);
    (void)walker.scan(0xFFF);
  }
  return 0;
}
