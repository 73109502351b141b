// Reads the input as an ABC block and decompiles every method body of it into ActionScript 3
// statements, in the context each body's trait gives it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "abc/AbcParser.h"
#include "abcsource/AbcBodySource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Every table and body is checked against the block's size: a megabyte explores all the
  // structure a larger input could.
  if (size > (1u << 20)) return 0;
  const orvane::AbcFile file = orvane::parseAbc(std::span<const std::uint8_t>(data, size));
  orvane::AbcNames names(file);
  orvane::AbcBodyDecompiler decompiler(file, names);
  std::string text;
  static_cast<void>(decompiler.appendEveryBody(text));
  return 0;
}
