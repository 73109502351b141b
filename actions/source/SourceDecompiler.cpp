#include "actions/source/SourceDecompiler.h"

#include <string>

#include "actions/source/SourceExpressionBuilder.h"
#include "actions/source/SourceFrontEnd.h"
#include "actions/source/SourceInstructions.h"

namespace orvane {

StatementList decompileBlock(const ActionList& records) {
  const InstructionStream code(records);
  ExpressionBuilder values(code);
  StatementList statements = SourceFrontEnd(code, values).run();
  const std::size_t at = values.untranslatedAt();
  if (at == kNoIndex) return statements;
  // Code that no statement can say makes the whole block a comment rather than a text
  // that means something else.
  StatementList marked;
  emit(marked,
       makeComment("Not translated: " + std::string(code[at].code == 0x46 ? "ActionEnumerate" : "ActionEnumerate2") +
                   " at offset " + std::to_string(code[at].offset) +
                   " leaves its names on the stack inside a branch, loop or block, where no statement can say"
                   " which values the code after it reads."),
       at);
  return marked;
}

}  // namespace orvane
