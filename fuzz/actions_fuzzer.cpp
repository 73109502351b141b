// Decodes the input as an action block, lists it and renders it as ActionScript 4 and 5.
#include <cstddef>
#include <cstdint>

#include "tests/actions/ActionScriptDriver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An action block is at most one tag body; longer inputs add nothing new.
  if (size > 65536) return 0;
  orvane::RecordingMessageSink messages;
  orvane::ActionList records;
  orvane::DecodeBlock({data, size}, records, messages);
  static_cast<void>(orvane::test::functionCode(records));
  for (const auto& record : records) static_cast<void>(record->RawBytesText(orvane::ByteCodeKind::Character));
  orvane::ExpressionTable table;
  for (const int version : {4, 5}) static_cast<void>(orvane::test::actionScript(records, version, table, messages));
  return 0;
}
