// Assembles the input as the text of the one method body of a small ABC block; a text that
// assembles gives a block that reads without faults, whose body's assembly listing
// assembles back into the same block.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "abc/AbcBodyReplacement.h"
#include "abc/AbcDisassembly.h"
#include "abc/AbcParser.h"
#include "abc/AbcWriter.h"

namespace {

/// Pools with an entry of every table (two strings alike), a class, a method with its body.
std::vector<std::uint8_t> smallBlock() {
  orvane::AbcWriter abc;
  abc.u16(16).u16(46);
  abc.u30(2).s32(-7).u30(2).u30(9).u30(2).d64(0.5);
  abc.u30(6).string("").string("Foo").string("x").string("flash.display").string("x");
  abc.u30(3).u8(0x16).u30(1).u8(0x16).u30(4);  // public, flash.display
  abc.u30(2).u30(2).u30(1).u30(2);             // {public, flash.display}
  abc.u30(5).u8(0x07).u30(1).u30(2);           // 1 Foo
  abc.u8(0x07).u30(1).u30(3);                  // 2 x
  abc.u8(0x09).u30(5).u30(1);                  // 3 {public, flash.display}::x (the other "x")
  abc.u8(0x1B).u30(1);                         // 4 {public, flash.display}::[name]
  abc.u30(2).u30(0).u30(0).u30(0).u8(0).u30(1).u30(0).u30(2).u30(0).u8(0x04);  // methods 0, 1
  abc.u30(0);                                                                    // metadata
  abc.u30(1).u30(1).u30(0).u8(0x01).u30(0).u30(0).u30(0).u30(1).u30(0);         // class Foo
  abc.u30(1).u30(1).u30(0);                                                      // script
  abc.u30(1).u30(0).u30(1).u30(1).u30(0).u30(1).u30(1).u8(0x47).u30(0).u30(0);   // body of method 0
  return abc.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A body's text of this size reaches every form; longer ones only repeat them.
  if (size > 64 * 1024) return 0;
  static const std::vector<std::uint8_t> block = smallBlock();
  static const orvane::AbcFile file = orvane::parseAbc(block);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::uint8_t> edited;
  orvane::AssemblyError error;
  if (!orvane::replaceAbcBody(block, file, 0, text, edited, error)) return 0;
  const orvane::AbcFile again = orvane::parseAbc(edited);
  if (!again.errors.empty() || again.bodies.size() != 1) __builtin_trap();
  orvane::AbcBodyReplacement replacement(edited, again);
  std::string listing;
  orvane::appendBodyAssembly(listing, again, replacement.names(), replacement.texts(), 0);
  if (!replacement.assemble(0, listing, error) || replacement.poolGrew() || replacement.block() != edited)
    __builtin_trap();
  return 0;
}
