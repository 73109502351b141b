#include "actions/source/SourceDecompiler.h"

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
  emit(marked, makeComment("Not translated: " + values.untranslatedReason()), at);
  return marked;
}

}  // namespace orvane
