// Drives decoding, listing and rendering of one action block the way the translator does,
// for the action tests, the fuzz target and the benchmark.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "actions/ActionList.h"
#include "actions/ExpressionTable.h"
#include "platform/MessageSink.h"

namespace orvane::test {

/// "[offset] " + each record's listing text, with " UNKNOWN ACTION\n" where it has no final
/// line break.
inline std::string functionCode(const ActionList& records) {
  std::string text;
  std::uint32_t offset = 0;
  for (const auto& record : records) {
    text += "[" + std::to_string(offset) + "] " + record->ByteCodeText();
    if (text.back() != '\n') text += " UNKNOWN ACTION\n";
    offset += record->size();
  }
  return text;
}

/// One whole ActionScript translation of the records.
inline std::string actionScript(const ActionList& records, int version, ExpressionTable& table,
                                MessageSink& messages) {
  return table.TranslateBlock(records, version, messages);
}

inline std::string actionScript(std::span<const std::uint8_t> block, int version) {
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(block, records, messages);
  ExpressionTable table;
  return actionScript(records, version, table, messages);
}

}  // namespace orvane::test
