// A fuzz input scanned as a movie, with a writer that records instead of writing; the
// scripts and classes of its ABC tags are listed as the programs list them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "abc/AbcObjects.h"
#include "movie/AssetObjects.h"
#include "movie/MovieSource.h"
#include "movie/ScanResult.h"
#include "movie/TagWalker.h"
#include "platform/MessageSink.h"
#include "tests/support/RecordingWriter.h"

namespace orvane::fuzz {

struct FuzzScan {
  /// Gives the input an FWS signature and a length field that matches, so that the walk is
  /// reached, and scans it with every flag; false when the movie does not open.
  bool scan(const std::uint8_t* data, std::size_t size, const std::string& tempFolder) {
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() >= 8) {
      const auto length = static_cast<std::uint32_t>(bytes.size());
      bytes[0] = 'F', bytes[1] = 'W', bytes[2] = 'S';
      for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
    walker.setResult(&result);
    walker.setTempFolder(tempFolder);
    MovieSource source;
    if (source.decode(bytes) != ScanStatus::Success) return false;
    if (walker.openBytes(source.takeImage(), "fuzz.swf") != ScanStatus::Success) return false;
    walker.copyHeaderInto(result);
    (void)walker.scan(0xFFF);
    collectAbcObjects(result);
    numberAssetObjects(result);
    return true;
  }

  test::RecordingWriter writer;
  RecordingMessageSink sink;
  ScanResult result;
  TagWalker walker{writer, sink};
};

}  // namespace orvane::fuzz
