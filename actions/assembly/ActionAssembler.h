// Reading an assembly text back into action blocks: the records of one block, or the
// condition blocks of a button or the event blocks of a clip.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "actions/assembly/AssemblyLexer.h"

namespace orvane {

/// One assembled block and, in a text of on blocks, the condition it runs on.
struct AssembledBlock {
  std::vector<std::uint8_t> bytes;
  /// A button's condition word or a clip's event flags.
  std::uint32_t events = 0;
  /// The key code a clip's key-press event names ("key N"); none when it names none.
  bool hasKeyCode = false;
  std::uint8_t keyCode = 0;
  /// Where the block's "on" line stands, for messages about the block as a whole.
  std::uint32_t line = 1;
  std::uint32_t column = 1;
};

struct AssembledText {
  enum class Kind {
    Block,             // records only: one block
    ButtonConditions,  // "on 0xWORD {" blocks
    ClipEvents,        // "onClipEvent 0xFLAGS {" blocks
  };
  Kind kind = Kind::Block;
  std::vector<AssembledBlock> blocks;
};

/// Assembles the text that appendBlockAssembly or conditionAssembly writes (comments and
/// blank lines anywhere; names of records and words case-insensitive). The first fault
/// ends it: an unknown record name, a bad operand, a label that is missing or defined twice,
/// a branch farther than a 16-bit offset reaches, a body or record larger than its size
/// field holds, braces that do not match, records outside the on blocks of a text that
/// has them. False with `error` set then.
[[nodiscard]] bool assembleActionText(std::string_view text, AssembledText& result, AssemblyError& error);

}  // namespace orvane
