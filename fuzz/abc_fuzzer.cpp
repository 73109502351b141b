// Reads the input as an ABC block and writes the text of every class and script, which
// decodes and lists every method body.
#include <cstddef>
#include <cstdint>

#include "abc/AbcOutline.h"
#include "abc/AbcParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Every table and body is checked against the block's size, so a megabyte explores all
  // the structure a larger input could.
  if (size > (1u << 20)) return 0;
  const orvane::AbcFile file = orvane::parseAbc({data, size});
  orvane::AbcOutline outline(file);
  static_cast<void>(outline.errorsText());
  for (std::uint32_t i = 0; i < file.instances.size(); ++i) static_cast<void>(outline.classText(i));
  for (std::uint32_t i = 0; i < file.scripts.size(); ++i) static_cast<void>(outline.scriptText(i));
  return 0;
}
