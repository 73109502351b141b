// Scans test movies in memory with a recording writer and a recording message sink.
#pragma once

#include <string>

#include "movie/ScanResult.h"
#include "movie/TagWalker.h"
#include "platform/MessageSink.h"
#include "tests/support/MovieBuilder.h"
#include "tests/support/RecordingWriter.h"

namespace orvane::test {

struct ScanFixture {
  ScanFixture() {
    walker.setResult(&result);
    walker.setTempFolder("/nonexistent-orvane-temp");
  }

  /// clear, open, copy the header values and scan, as the main frame does.
  ScanStatus scan(const Bytes& movie, std::uint32_t flags = 0xFFF) {
    result.clear();
    const ScanStatus opened = walker.openBytes(movie, "test.swf");
    if (opened != ScanStatus::Success) return opened;
    walker.copyHeaderInto(result);
    return walker.scan(flags);
  }

  /// The same for a movie file, compressed ones through their image; the open status when
  /// the file does not open.
  ScanStatus scanFile(const std::string& path, std::uint32_t flags = 0xFFF) {
    result.clear();
    const ScanStatus opened = walker.open(path);
    if (opened != ScanStatus::Success) return opened;
    walker.copyHeaderInto(result);
    return walker.scan(flags);
  }

  const TimelineNode& timeline(std::size_t index) const { return *result.timelines().at(index); }

  RecordingWriter writer;
  RecordingMessageSink sink;
  ScanResult result;
  TagWalker walker{writer, sink};
};

}  // namespace orvane::test
