// Assembles the input as an assembly text; a text that assembles must come back from its
// blocks' own disassembly as the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "actions/assembly/ActionAssembler.h"
#include "actions/assembly/ActionDisassembler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A block holds at most a tag's worth of records; longer texts add nothing new.
  if (size > 256 * 1024) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  orvane::AssembledText assembled;
  orvane::AssemblyError error;
  if (!orvane::assembleActionText(text, assembled, error)) return 0;
  for (const orvane::AssembledBlock& block : assembled.blocks) {
    std::string listing;
    orvane::appendBlockAssembly(listing, block.bytes);
    orvane::AssembledText again;
    if (!orvane::assembleActionText(listing, again, error) || again.blocks.size() != 1 ||
        again.blocks.front().bytes != block.bytes)
      __builtin_trap();
  }
  return 0;
}
