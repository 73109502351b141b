#include "actions/source/SourceDecompiler.h"

#include "actions/source/SourceExpressionBuilder.h"
#include "actions/source/SourceFrontEnd.h"
#include "actions/source/SourceInstructions.h"

namespace orvane {

StatementList decompileBlock(const ActionList& records) {
  const InstructionStream code(records);
  ExpressionBuilder values(code);
  return SourceFrontEnd(code, values).run();
}

}  // namespace orvane
